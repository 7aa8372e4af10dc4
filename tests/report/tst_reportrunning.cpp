#include "report/ReportRunning.h"

#include "ReportFixture.h"
#include "TestEnvironment.h"

#include <QTest>

namespace {
const QString noPrinterMessage = QStringLiteral(
    "You do not have a default printer defined.\n\nPlease select a printer before running a report.");

// A selection that records when it is applied and released.
DataSelection recorded(QStringList &log, const QString &name)
{
    return {[&log, name] { log.append(name + QStringLiteral(" on")); },
            [&log, name] { log.append(name + QStringLiteral(" off")); }};
}
}

class TestReportRunning : public QObject
{
    Q_OBJECT

private slots:
    void init() { ReportVariables::clear(); }

    void checksTheDefaultPrinter_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<bool>("expected");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("printer") << QStringLiteral("Office laser") << true << QStringList{};
        QTest::newRow("no printer") << QString() << false << QStringList{noPrinterMessage};
    }

    void checksTheDefaultPrinter()
    {
        QFETCH(QString, printer);
        QFETCH(bool, expected);
        QFETCH(QStringList, shown);
        TestEnvironment env;
        env.printing().printer = printer;
        QCOMPARE(CheckDefaultPrinter(), expected);
        QCOMPARE(env.dialogs().shownTexts(), shown);
        if (!shown.isEmpty()) {
            QCOMPARE(env.dialogs().shown.first().type, FakeDialogs::Shown::Type::Error);
            QCOMPARE(env.dialogs().shown.first().title, QStringLiteral("Kestrelvane Point of Sale"));
        }
    }

    void withoutPrinterNothingIsSelectedOrShown()
    {
        TestEnvironment env;
        env.printing().printer.clear();
        QStringList log;
        ReportRun run;
        run.templatePath = env.root() + QStringLiteral("a.frf");
        run.selections = {recorded(log, QStringLiteral("Sales"))};
        run.variables = {{QStringLiteral("varTotalSales"), QStringLiteral("40")}};
        QVERIFY(!RunReport(run));
        QVERIFY(log.isEmpty());
        QVERIFY(env.printing().previewed.isEmpty());
        QCOMPARE(ReportVariables::value(QStringLiteral("varTotalSales")), std::nullopt);
        QCOMPARE(env.dialogs().shownTexts(), QStringList{noPrinterMessage});
    }

    void previewsOrPrintsWithDataAndVariables_data()
    {
        QTest::addColumn<int>("output");
        QTest::newRow("preview") << static_cast<int>(ReportOutput::Preview);
        QTest::newRow("print") << static_cast<int>(ReportOutput::Print);
    }

    void previewsOrPrintsWithDataAndVariables()
    {
        QFETCH(int, output);
        TestEnvironment env;
        ReportFixture fixture;
        fixture.fillShop();
        const QString path = env.root() + QStringLiteral("r.frf");
        writeFile(path, QStringLiteral("<p>[varStore]</p>[band frDBDataSet1]<p>[frDBDataSet1.Invoice] "
                                       "[frDBDataSet1.NetSale:0.00]</p>[/band]"));
        auto sales = std::make_shared<QueryRows>(fixture.database(), QStringLiteral("SELECT * FROM Sales"));
        Report report;
        ReportRun run;
        run.report = &report;
        run.templatePath = path;
        run.output = static_cast<ReportOutput>(output);
        run.datasets = {{QStringLiteral("frDBDataSet1"), sales}};
        run.selections = {filterRows(sales, fieldEquals(QStringLiteral("Invoice"), QStringLiteral("2403000001")))};
        run.variables = {{QStringLiteral("varStore"), QStringLiteral("Main St")}};
        QVERIFY(RunReport(run));

        const auto &shown = output == static_cast<int>(ReportOutput::Preview) ? env.printing().previewed
                                                                               : env.printing().printed;
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().toPlainText(), QStringLiteral("Main St\n2403000001 65.24\n"));
        QVERIFY(!sales->filtered());
        QCOMPARE(sales->rowCount(), 2);
    }

    void releasesSelectionsAfterAnError()
    {
        TestEnvironment env;
        const QString path = env.root() + QStringLiteral("broken.frf");
        writeFile(path, QStringLiteral("ok\n[band frDBDataSet3]\n"));
        QStringList log;
        ReportRun run;
        run.templatePath = path;
        run.selections = {recorded(log, QStringLiteral("Sales")), recorded(log, QStringLiteral("Items"))};
        QVERIFY_THROWS_EXCEPTION(TemplateError, RunReport(run));
        QCOMPARE(log, (QStringList{QStringLiteral("Sales on"), QStringLiteral("Items on"),
                                   QStringLiteral("Items off"), QStringLiteral("Sales off")}));
        QVERIFY(env.printing().previewed.isEmpty());
    }

    void releasesSelectionsWhenTheDataFails()
    {
        TestEnvironment env;
        ReportFixture fixture;
        const QString path = env.root() + QStringLiteral("r.frf");
        writeFile(path, QStringLiteral("[band frDBDataSet3][frDBDataSet3.Invoice][/band]"));
        auto missing = std::make_shared<QueryRows>(fixture.database(), QStringLiteral("SELECT * FROM NoSuchTable"));
        Report report;
        ReportRun run;
        run.report = &report;
        run.templatePath = path;
        run.datasets = {{QStringLiteral("frDBDataSet3"), missing}};
        run.selections = {filterRows(missing, fieldEquals(QStringLiteral("Invoice"), QStringLiteral("x")))};
        QVERIFY_THROWS_EXCEPTION(AppError, RunReport(run));
        QVERIFY(!missing->filtered());
    }

    void aFailingReleaseIsAnError_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("error");
        QTest::newRow("after a run") << QStringLiteral("fine") << QStringLiteral("Sales is locked");
        QTest::newRow("after a failed run") << QStringLiteral("[band D]")
                                            << QStringLiteral("r.frf, line 1: [band D] without [/band]");
    }

    void aFailingReleaseIsAnError()
    {
        QFETCH(QString, source);
        QFETCH(QString, error);
        TestEnvironment env;
        writeFile(env.root() + QStringLiteral("r.frf"), source);
        QStringList log;
        Report report;
        ReportRun run;
        run.report = &report;
        run.templatePath = env.root() + QStringLiteral("r.frf");
        run.selections = {recorded(log, QStringLiteral("Items")),
                          {nullptr, [] { throw AppError(QStringLiteral("Sales is locked")); }},
                          recorded(log, QStringLiteral("Refunds"))};
        try {
            RunReport(run);
            QFAIL("the run reported success");
        } catch (const AppError &raised) {
            QVERIFY2(raised.message().endsWith(error), qPrintable(raised.message()));
        }
        QCOMPARE(log, (QStringList{QStringLiteral("Items on"), QStringLiteral("Refunds on"),
                                   QStringLiteral("Refunds off"), QStringLiteral("Items off")}));
    }

    void missingTemplateRunsThePreviousOne()
    {
        TestEnvironment env;
        const QString path = env.root() + QStringLiteral("first.frf");
        writeFile(path, QStringLiteral("first template"));
        Report report;
        ReportRun run;
        run.report = &report;
        run.templatePath = path;
        QVERIFY(RunReport(run));
        run.templatePath = env.root() + QStringLiteral("missing.frf");
        QVERIFY(RunReport(run));
        QCOMPARE(env.printing().previewed.size(), 2);
        QCOMPARE(env.printing().previewed.last().toPlainText(), QStringLiteral("first template\n"));
        QVERIFY(env.dialogs().shown.isEmpty());
    }

    void gridReportsAnswerCell()
    {
        TestEnvironment env;
        const QString path = env.root() + QStringLiteral("grid.frf");
        writeFile(path, QStringLiteral("<table>[cross RowDataset ColDataset headings][Cell][/cross]</table>"));
        const QList<QStringList> grid{{QString(), QStringLiteral("Sales")},
                                      {QStringLiteral("Mon"), QStringLiteral("70")},
                                      {QStringLiteral("Tue"), QStringLiteral("-5")}};
        Report report;
        ReportRun run;
        run.report = &report;
        run.templatePath = path;
        run.setGrid(2, 3, [&grid](int column, int row) { return grid[row][column]; });
        QVERIFY(RunReport(run));
        QCOMPARE(env.printing().previewed.first().toCsv(), QStringLiteral(";Sales\nMon;70\nTue;-5\n"));
        // The answer reads the screen's grid, so it is gone after the run.
        report.loadFromText(QStringLiteral("[Cell]"), QStringLiteral("t.frf"));
        QCOMPARE(report.prepare().html(), QString());
    }

    void printingNeedsPages()
    {
        TestEnvironment env;
        const QString path = env.root() + QStringLiteral("empty.frf");
        writeFile(path, QStringLiteral("[band frDBDataSet3][frDBDataSet3.Invoice][/band]"));
        Report report;
        report.dataset(QStringLiteral("frDBDataSet3"))
            .setSource(std::make_shared<ListRows>(QStringList{QStringLiteral("Invoice")}, std::vector<QVariantList>{}));
        ReportRun run;
        run.report = &report;
        run.templatePath = path;
        run.output = ReportOutput::Print;
        QVERIFY(RunReport(run));
        QVERIFY(env.printing().printed.isEmpty());
    }

    void templatesAreFoundBesideTheProgram()
    {
        TestEnvironment env;
        env.system().program = QStringLiteral("/opt/kvtl/");
        QCOMPARE(ReportTemplatePath(QStringLiteral("rSale.frf")), QStringLiteral("/opt/kvtl/Reports/rSale.frf"));
    }
};

QTEST_MAIN(TestReportRunning)
#include "tst_reportrunning.moc"
