#include "report/PreparedReport.h"
#include "report/Report.h"
#include "report/ReportTemplate.h"

#include "ReportFixture.h"
#include "TestEnvironment.h"

#include <QLocale>
#include <QTest>

namespace {
std::shared_ptr<const RowSource> customers()
{
    return std::make_shared<ListRows>(
        QStringList{QStringLiteral("Name"), QStringLiteral("Qty"), QStringLiteral("Price"), QStringLiteral("Note")},
        std::vector<QVariantList>{
            {QStringLiteral("Ada"), 2, 2.675, QStringLiteral("<b>&</b>")},
            {QStringLiteral("Bo"), 1, 10.0, QString()},
        });
}

std::shared_ptr<const RowSource> orders()
{
    return std::make_shared<ListRows>(QStringList{QStringLiteral("Name"), QStringLiteral("Item")},
                                      std::vector<QVariantList>{
                                          {QStringLiteral("Bo"), QStringLiteral("tea")},
                                          {QStringLiteral("Ada"), QStringLiteral("cake")},
                                          {QStringLiteral("Ada"), QStringLiteral("jam")},
                                      });
}

QString expanded(Report &report, const QString &body)
{
    report.loadFromText(body, QStringLiteral("test.frf"));
    return report.prepare().html();
}
}

class TestReportEngine : public QObject
{
    Q_OBJECT

private slots:
    void expandsFieldsBandsVariablesAndCells_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("expected");
        QTest::newRow("field of the first record") << "<p>[D.Name]</p>" << "<p>Ada</p>";
        QTest::newRow("field names ignore case") << "[d.name]" << "Ada";
        QTest::newRow("number as stored") << "[D.Price]|[D.Qty]" << "2.675|2";
        QTest::newRow("two decimals, halves up") << "[D.Price:0.00]" << "2.68";
        QTest::newRow("whole number") << "[D.Price:0]" << "3";
        QTest::newRow("band once per record") << "[band D]<li>[D.Name]</li>[/band]" << "<li>Ada</li><li>Bo</li>";
        QTest::newRow("master and detail")
            << "[band D][D.Name]:[band O where Name = D.Name] [O.Item][/band];[/band]" << "Ada: cake jam;Bo: tea;";
        QTest::newRow("arithmetic") << "[band D][D.Qty * D.Price:0.00] [/band]" << "5.35 10.00 ";
        QTest::newRow("sum and count") << "[sum(D.Price):0.00]/[count(O)]" << "12.68/3";
        QTest::newRow("sum of an expression") << "[sum(D.Qty * D.Price):0.00]|[sum(D.Nothing)]" << "15.35|";
        QTest::newRow("variable text as it is") << "[varTotalSales]|[varTotalSales:0.00]" << "12.50|12.50";
        QTest::newRow("missing field and variable") << "a[D.Nothing]b[varNothing]c[Nobody.Field]d" << "abcd";
        QTest::newRow("arithmetic with a missing value") << "<[D.Nothing + 1]>" << "<>";
        QTest::newRow("data is escaped") << "[D.Note]" << "&lt;b&gt;&amp;&lt;/b&gt;";
        QTest::newRow("condition") << "[band D][if D.Note]x[else]-[/if][/band]" << "x-";
        QTest::newRow("zero text is false") << "[if varZero]shown[else]hidden[/if]" << "hidden";
        QTest::newRow("dictionary variable") << "@var Title = Daily sales\n<h1>[Title]</h1>" << "<h1>Daily sales</h1>";
        QTest::newRow("date from the clock") << "[Date]" << "2024-03-15";
        QTest::newRow("bracket escape") << "[[x]" << "[x]";
        QTest::newRow("cell by user datasets")
            << "[band RowDataset]([band ColDataset][Cell] [/band])[/band]" << "(0,0 1,0 2,0 )(0,1 1,1 2,1 )";
        QTest::newRow("cross table with headings")
            << "[cross RowDataset ColDataset headings][Cell][/cross]"
            << "<tr><th align=\"left\">0,0</th><th align=\"center\">1,0</th><th align=\"center\">2,0</th></tr>\n"
               "<tr><th align=\"left\">0,1</th><td align=\"left\">1,1</td><td align=\"left\">2,1</td></tr>\n";
        QTest::newRow("record numbers") << "[band ColDataset][ColDataset.RecNo][/band]" << "012";
    }

    void expandsFieldsBandsVariablesAndCells()
    {
        QFETCH(QString, body);
        QFETCH(QString, expected);
        TestEnvironment env;
        ReportVariables::clear();
        ReportVariables::set(QStringLiteral("varTotalSales"), QStringLiteral("12.50"));
        ReportVariables::set(QStringLiteral("varZero"), QStringLiteral("0.00"));
        Report report;
        report.dataset(QStringLiteral("D")).setSource(customers());
        report.dataset(QStringLiteral("O")).setSource(orders());
        report.userDataset(QStringLiteral("ColDataset")).setRecordCount(3);
        report.userDataset(QStringLiteral("RowDataset")).setRecordCount(2);
        report.setValueRequest([&report](const QString &name) -> std::optional<QString> {
            if (name != u"Cell")
                return std::nullopt;
            return QStringLiteral("%1,%2")
                .arg(report.userDataset(QStringLiteral("ColDataset")).recordNumber())
                .arg(report.userDataset(QStringLiteral("RowDataset")).recordNumber());
        });
        QCOMPARE(expanded(report, body), expected);
    }

    void formatsNumbersWithTheLocaleSeparator()
    {
        TestEnvironment env;
        ReportVariables::clear();
        ReportVariables::set(QStringLiteral("varTax"), QStringLiteral("0,63"));
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Report report;
        report.dataset(QStringLiteral("D")).setSource(customers());
        const QString html = expanded(report, QStringLiteral("[D.Price:0.00]|[D.Price]|[varTax * 2:0.00]|[varTax]"));
        QLocale::setDefault(previous);
        QCOMPARE(html, QStringLiteral("2,68|2,675|1,26|0,63"));
    }

    void variablesAreSharedByEveryReport()
    {
        TestEnvironment env;
        ReportVariables::clear();
        Report first;
        Report second;
        ReportVariables::set(QStringLiteral("varRefunds"), QStringLiteral("5"));
        QCOMPARE(expanded(first, QStringLiteral("[varRefunds]")), QStringLiteral("5"));
        QCOMPARE(expanded(second, QStringLiteral("[varRefunds]")), QStringLiteral("5"));
    }

    void reportsSyntaxErrorsWithFileAndLine_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("message");
        QTest::newRow("unclosed band") << "<p>\n[band D]\n[D.Name]"
                                       << "broken.frf, line 2: [band D] without [/band]";
        QTest::newRow("stray closing tag") << "a\nb\n[/band]" << "broken.frf, line 3: [/band] without its opening tag";
        QTest::newRow("bracket without end") << "@page A4\n\nx [D.Name\n" << "broken.frf, line 3: \"[\" without \"]\" (write [[ for a bracket)";
        QTest::newRow("sum without a field") << "[sum(2)]" << "broken.frf, line 1: [sum(2)]: sum() needs a field, as in sum(Dataset.Field)";
        QTest::newRow("bad expression") << "[D.Qty *]" << "broken.frf, line 1: [D.Qty *]: expression ends too early";
        QTest::newRow("unknown format") << "\n[D.Qty:money]" << "broken.frf, line 2: [D.Qty:money]: unknown format \"money\" (known: 0.00, 0, date, time)";
        QTest::newRow("unknown directive") << "@page A4\n@paper A5" << "broken.frf, line 2: unknown directive @paper";
        QTest::newRow("bad paper") << "@page A5" << "broken.frf, line 1: @page takes A4, Letter or Receipt80, then optionally portrait or landscape";
        QTest::newRow("else outside if") << "[else]" << "broken.frf, line 1: [else] without its opening tag";
    }

    void reportsSyntaxErrorsWithFileAndLine()
    {
        QFETCH(QString, source);
        QFETCH(QString, message);
        try {
            ReportTemplate::parse(source, QStringLiteral("broken.frf"));
            QFAIL("the template parsed");
        } catch (const TemplateError &error) {
            QCOMPARE(error.message(), message);
        }
    }

    void missingTemplateKeepsThePreviousOne()
    {
        TestEnvironment env;
        const QString path = env.root() + QStringLiteral("first.frf");
        writeFile(path, QStringLiteral("@var SQL = SELECT 1\nfirst"));
        Report report;
        QVERIFY(report.loadFromFile(path));
        QVERIFY(!report.loadFromFile(env.root() + QStringLiteral("missing.frf")));
        QCOMPARE(report.fileName(), path);
        QCOMPARE(report.prepare().html(), QStringLiteral("first"));
        QCOMPARE(report.dictionaryVariable(QStringLiteral("SQL")), std::optional<QString>(QStringLiteral("SELECT 1")));
        QCOMPARE(report.dictionaryVariable(QStringLiteral("Other")), std::nullopt);
    }

    void withoutTemplateThereAreNoPages()
    {
        TestEnvironment env;
        Report report;
        QCOMPARE(report.prepare().pageCount(), 0);
        QCOMPARE(expanded(report, QStringLiteral("[band D]x[/band]")), QString());
        QCOMPARE(report.prepared()->pageCount(), 0);
    }

    void paginatesSheetsAndSizesTheReceiptRoll()
    {
        TestEnvironment env;
        QString lines;
        for (int i = 0; i < 150; ++i)
            lines += QStringLiteral("<p>Line %1</p>").arg(i);
        const PreparedReport sheets(lines, PageSetup{});
        QVERIFY2(sheets.pageCount() >= 3, qPrintable(QString::number(sheets.pageCount())));
        QCOMPARE(sheets.pageSizeMm(), QSizeF(210, 297));
        QCOMPARE(sheets.find(QStringLiteral("Line 149")).constFirst().page, sheets.pageCount() - 1);
        QCOMPARE(sheets.find(QStringLiteral("Line 0")).constFirst().page, 0);

        PageSetup roll;
        roll.paper = PageSetup::Paper::Receipt80;
        const PreparedReport shortReceipt(QStringLiteral("<p>one</p>"), roll);
        const PreparedReport longReceipt(lines, roll);
        QCOMPARE(longReceipt.pageCount(), 1);
        QCOMPARE(longReceipt.pageSizeMm().width(), 80.0);
        QVERIFY(longReceipt.pageSizeMm().height() > 10 * shortReceipt.pageSizeMm().height());
        QVERIFY(longReceipt.pageSizeMm().height() > 297);
    }

    void findsTextIgnoringCase()
    {
        TestEnvironment env;
        const PreparedReport report(QStringLiteral("<p>Cash and cash</p><table><tr><td>CASH</td></tr></table>"),
                                    PageSetup{});
        const QList<FoundText> found = report.find(QStringLiteral("cash"));
        QCOMPARE(found.size(), 3);
        QVERIFY(found[0].rectMm.left() < found[1].rectMm.left());
        QVERIFY(found[2].rectMm.top() > found[0].rectMm.top());
        QVERIFY(found[0].rectMm.left() >= 15);
    }

    void ordersPrintedPages_data()
    {
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("copies");
        QTest::addColumn<bool>("collate");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("all pages once") << 3 << 0 << 0 << 1 << true << QList<int>{0, 1, 2};
        QTest::newRow("collated copies") << 2 << 0 << 0 << 2 << true << QList<int>{0, 1, 0, 1};
        QTest::newRow("uncollated copies") << 2 << 0 << 0 << 2 << false << QList<int>{0, 0, 1, 1};
        QTest::newRow("range") << 5 << 2 << 3 << 1 << true << QList<int>{1, 2};
        QTest::newRow("range past the end") << 3 << 2 << 9 << 1 << true << QList<int>{1, 2};
        QTest::newRow("no pages") << 0 << 0 << 0 << 1 << true << QList<int>{};
    }

    void ordersPrintedPages()
    {
        QFETCH(int, pages);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, copies);
        QFETCH(bool, collate);
        QFETCH(QList<int>, expected);
        QCOMPARE(printedPageOrder(pages, from, to, copies, collate), expected);
    }

    void readsQueryRowsThroughAFilter()
    {
        ReportFixture fixture;
        fixture.fillShop();
        auto items = std::make_shared<QueryRows>(fixture.database(),
                                                 QStringLiteral("SELECT Invoice, ProductID, Quantity FROM SaleItems"));
        QCOMPARE(items->rowCount(), 4);
        items->setFilter(fieldEquals(QStringLiteral("Invoice"), QStringLiteral("2403000002")));
        QCOMPARE(items->rowCount(), 1);
        QCOMPARE(items->value(0, 1).toString(), QStringLiteral("P200"));
        items->clearFilter();
        QCOMPARE(items->rowCount(), 4);
        QCOMPARE(items->fieldNames(), (QStringList{QStringLiteral("Invoice"), QStringLiteral("ProductID"), QStringLiteral("Quantity")}));
    }
};

QTEST_MAIN(TestReportEngine)
#include "tst_reportengine.moc"
