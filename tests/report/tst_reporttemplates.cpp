#include "report/ReportRunning.h"
#include "store/Dialect.h"

#include "ReportFixture.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QProcess>
#include <QTest>

namespace {
const QString invoiceSql = QStringLiteral(
    "SELECT s.Invoice, s.Discount, s.Coupon, s.Tax, s.NetSale, p.PaymentType FROM PaymentTypes p"
    " INNER JOIN Sales s ON (p.ID = s.PaymentType)");
const QString workOrderSql = QStringLiteral(
    "SELECT s.Invoice, s.Discount, s.Coupon, s.Tax, s.NetSale, s.Notes, s.Time, s.DayOfWeek, c.FirstName,"
    " c.LastName, c.HomePhone, IF (s.DayOfWeek = 0 THEN 'Sunday' ELSE IF (s.DayOfWeek = 1 THEN 'Monday' ELSE"
    " IF (s.DayOfWeek = 2 THEN 'Tuesday'  ELSE IF (s.DayOfWeek = 3 THEN 'Wednesday' ELSE IF (s.DayOfWeek = 4 THEN"
    " 'Thursday' ELSE IF (s.DayOfWeek = 5 THEN 'Friday' ELSE IF (s.DayOfWeek = 6 THEN 'Saturday' ELSE ''))))))) AS"
    " Day FROM Customers c INNER JOIN Sales s ON (c.CustID = s.CustID)");
const QString itemsSql = QStringLiteral(
    "SELECT p.Description, p.SellingPrice, si.ProductID, si.Quantity, si.Invoice FROM Products p"
    " INNER JOIN SaleItems si ON (p.ProductID = si.ProductID)");

// The statements are the program's own, so they go through its dialect
// translation as the screens' do.
std::shared_ptr<QueryRows> rows(const ReportFixture &fixture, const QString &sql)
{
    return std::make_shared<QueryRows>(fixture.database(), TranslateDialect(sql));
}

QString pdfText(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    process.waitForFinished(30000);
    // Ligatures (ff, fi) come back as single characters.
    return QString::fromUtf8(process.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

// With KVTL_REPORT_OUTPUT set, the rendered pages are kept there as PDF and
// PNG for a person to look at.
void keepForViewing(const PreparedReport &report, const QString &name)
{
    const QString folder = qEnvironmentVariable("KVTL_REPORT_OUTPUT");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    report.exportTo(folder + u'/' + name + QStringLiteral(".pdf"));
    for (int page = 0; page < report.pageCount(); ++page)
        report.pageImage(page, 110).save(folder + QStringLiteral("/%1-%2.png").arg(name).arg(page + 1));
}

QList<QStringList> weekGrid()
{
    return {{QString(), QStringLiteral("Sales"), QStringLiteral("Customers"), QStringLiteral("Items")},
            {QStringLiteral("Mon"), QStringLiteral("70"), QStringLiteral("2"), QStringLiteral("5")},
            {QStringLiteral("Tue"), QStringLiteral("-5"), QStringLiteral("-1"), QStringLiteral("0")},
            {QStringLiteral("Wed"), QString(), QString(), QString()},
            {QStringLiteral("Thu"), QString(), QString(), QString()},
            {QStringLiteral("Fri"), QStringLiteral("90.23"), QStringLiteral("1"), QStringLiteral("4")},
            {QStringLiteral("Sat"), QString(), QString(), QString()},
            {QStringLiteral("Sun"), QString(), QString(), QString()},
            {QStringLiteral("Totals"), QStringLiteral("155.23"), QStringLiteral("2"), QStringLiteral("9")}};
}

QList<QStringList> hoursGrid()
{
    return {{QString(), QStringLiteral("Mon"), QStringLiteral("Tue"), QStringLiteral("Wed"), QStringLiteral("Thu"),
             QStringLiteral("Fri"), QStringLiteral("Sat"), QStringLiteral("Sun")},
            {QStringLiteral("Ada Brook"), QStringLiteral("8"), QStringLiteral("7.5"), QString(), QStringLiteral("8"),
             QStringLiteral("8"), QString(), QString()},
            {QStringLiteral("Sam Reed"), QString(), QStringLiteral("4"), QStringLiteral("4"), QStringLiteral("4"),
             QString(), QStringLiteral("6"), QString()}};
}
}

class TestReportTemplates : public QObject
{
    Q_OBJECT

private slots:
    void init() { ReportVariables::clear(); }

    void rendersEveryTemplate_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("receipt") << QStringLiteral("rSale.frf")
                                 << QStringList{QStringLiteral("Corner Coffee"), QStringLiteral("12 Harbour Road"),
                                                QStringLiteral("2403000001"), QStringLiteral("Espresso beans 1 kg"),
                                                QStringLiteral("37.00"), QStringLiteral("Subtotal 65.24"),
                                                QStringLiteral("Discount 10% -6.52"), QStringLiteral("Coupon -2.00"),
                                                QStringLiteral("Tax 4.63"), QStringLiteral("TOTAL 61.35"),
                                                QStringLiteral("Paid by: Cash")};
        QTest::newRow("work order") << QStringLiteral("rWorkOrder.frf")
                                    << QStringList{QStringLiteral("WORK ORDER"), QStringLiteral("2403000002"),
                                                   QStringLiteral("Ada Brook"), QStringLiteral("555-0101"),
                                                   QStringLiteral("Required by Friday 16:30"),
                                                   QStringLiteral("Milk frother"), QStringLiteral("TOTAL 28.24"),
                                                   QStringLiteral("Descale and check the steam wand")};
        QTest::newRow("refund") << QStringLiteral("rRefunds.frf")
                                << QStringList{QStringLiteral("REFUND"), QStringLiteral("Refund no. 12"),
                                               QStringLiteral("Against invoice 2403000001"),
                                               QStringLiteral("Damaged box"), QStringLiteral("Customer signature")};
        QTest::newRow("cash count") << QStringLiteral("rCashCount.frf")
                                    << QStringList{QStringLiteral("Cash Count"), QStringLiteral("2024-03-15"),
                                                   QStringLiteral("$50 2 100.00"), QStringLiteral("25 cents 12 3.00"),
                                                   QStringLiteral("$2 1 50.00"), QStringLiteral("Total counted 408.24"),
                                                   QStringLiteral("page 1 of 1")};
        QTest::newRow("end of day") << QStringLiteral("rEndOfDay.frf")
                                    << QStringList{QStringLiteral("End of Day"), QStringLiteral("Total customers 2"),
                                                   QStringLiteral("Average sale 17.5"), QStringLiteral("Net sales 35"),
                                                   QStringLiteral("Visa 28.5"), QStringLiteral("Less float 100"),
                                                   QStringLiteral("Host net 120.50"), QStringLiteral("Difference 0")};
        QTest::newRow("end of week") << QStringLiteral("rEndOfWeek.frf")
                                     << QStringList{QStringLiteral("End of Week"),
                                                    QStringLiteral("Sales Customers Items"),
                                                    QStringLiteral("Mon 70 2 5"), QStringLiteral("Tue -5 -1 0"),
                                                    QStringLiteral("Totals 155.23 2 9"),
                                                    QStringLiteral("Weekly average sale 77.615"),
                                                    QStringLiteral("Refunds this week 5")};
        QTest::newRow("hours worked") << QStringLiteral("rHoursWorked.frf")
                                      << QStringList{QStringLiteral("Hours Worked"),
                                                     QStringLiteral("Mon Tue Wed Thu Fri Sat Sun"),
                                                     QStringLiteral("Ada Brook 8 7.5 8 8"),
                                                     QStringLiteral("Sam Reed 4 4 4 6")};
        QTest::newRow("stock on hand") << QStringLiteral("inStock.frf")
                                       << QStringList{QStringLiteral("Stock on Hand"),
                                                      QStringLiteral("P100 Espresso beans 1 kg 14 18.50 259.00"),
                                                      QStringLiteral("P200 Milk frother 3 24.99 74.97"),
                                                      QStringLiteral("Products: 2 17 333.97")};
        QTest::newRow("daily sales") << QStringLiteral("saDaily.frf")
                                     << QStringList{QStringLiteral("Daily Sales"), QStringLiteral("2024-03-15"),
                                                    QStringLiteral("2403000001 10:12 Cash 65.24 6.52 2.00 4.63 61.35"),
                                                    QStringLiteral("Sales: 1 65.24 6.52 2.00 4.63 61.35")};
    }

    void rendersEveryTemplate()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, expected);
        TestEnvironment env;
        ReportFixture fixture;
        fixture.fillShop();
        Report report;
        ReportRun run;
        run.report = &report;
        run.templatePath = ReportTemplatePath(name);
        run.variables = {{QStringLiteral("StoreName"), QStringLiteral("Corner Coffee")},
                         {QStringLiteral("StoreLocation"), QStringLiteral("12 Harbour Road, Kestrelvane")}};
        const QList<QStringList> week = weekGrid();
        const QList<QStringList> hours = hoursGrid();

        if (name == u"rSale.frf" || name == u"rWorkOrder.frf") {
            const QString invoice = name == u"rSale.frf" ? QStringLiteral("2403000001") : QStringLiteral("2403000002");
            auto header = rows(fixture, name == u"rSale.frf" ? invoiceSql : workOrderSql);
            auto items = rows(fixture, itemsSql);
            run.datasets = {{QStringLiteral("frDBDataSet1"), header}, {QStringLiteral("frDBDataSet2"), items}};
            run.selections = {filterRows(header, fieldEquals(QStringLiteral("Invoice"), invoice)),
                              filterRows(items, fieldEquals(QStringLiteral("Invoice"), invoice))};
        } else if (name == u"rRefunds.frf") {
            auto refunds = rows(fixture, QStringLiteral("SELECT * FROM Refunds"));
            run.datasets = {{QStringLiteral("frDBDataSet3"), refunds}};
            run.selections = {filterRows(refunds, fieldEquals(QStringLiteral("RefundID"), 12))};
        } else if (name == u"rCashCount.frf") {
            auto counts = rows(fixture, QStringLiteral("SELECT * FROM CashCount"));
            run.datasets = {{QStringLiteral("frDBDataSet3"), counts}};
            run.selections = {filterRows(counts, fieldEquals(QStringLiteral("CountDate"), QStringLiteral("2024-03-15")))};
        } else if (name == u"rEndOfDay.frf") {
            auto days = rows(fixture, QStringLiteral("SELECT * FROM EndOfDay"));
            run.datasets = {{QStringLiteral("frDBDataSet3"), days}};
            run.selections = {filterRows(days, fieldEquals(QStringLiteral("Date"), QStringLiteral("2024-03-15")))};
            using namespace Qt::Literals::StringLiterals;
            run.variables += {{u"varTotalCustomers"_s, u"2"_s}, {u"varTotalItems"_s, u"3"_s},
                              {u"varAverageSale"_s, u"17.5"_s}, {u"varItemRatio"_s, u"1.5"_s},
                              {u"varTotalSales"_s, u"40"_s}, {u"varRefunds"_s, u"5"_s},
                              {u"varPaidOuts"_s, QString()}, {u"varNetSale"_s, u"35"_s},
                              {u"varCashCount"_s, u"408.24"_s}, {u"varVisa"_s, u"28.5"_s},
                              {u"varMC"_s, u"11.5"_s}, {u"varAmex"_s, QString()}, {u"varDebit"_s, QString()},
                              {u"varFloat"_s, u"100"_s}, {u"varToBank"_s, u"0"_s},
                              {u"varTerminalNet"_s, u"0"_s}, {u"varDifference"_s, u"0"_s}};
        } else if (name == u"rEndOfWeek.frf") {
            run.variables.append({QStringLiteral("varWeeklyAverageSale"), QStringLiteral("77.615")});
            run.variables.append({QStringLiteral("varWeeklyItemRatio"), QStringLiteral("4.5")});
            run.variables.append({QStringLiteral("varRefundsThisWeek"), QStringLiteral("5")});
            run.setGrid(4, 9, [&week](int column, int row) { return week[row][column]; });
        } else if (name == u"rHoursWorked.frf") {
            run.setGrid(8, 3, [&hours](int column, int row) { return hours[row][column]; });
        } else {
            // The report browser: the template's own statement, with today's date.
            QVERIFY(report.loadFromFile(ReportTemplatePath(name)));
            QString sql = report.dictionaryVariable(QStringLiteral("SQL")).value_or(QString());
            sql.replace(QStringLiteral("%DATE%"), QStringLiteral("2024-03-15"), Qt::CaseInsensitive);
            run.datasets = {{QStringLiteral("frDBDataSet3"), rows(fixture, sql)}};
        }

        QVERIFY(RunReport(run));
        QCOMPARE(env.printing().previewed.size(), 1);
        const PreparedReport &prepared = env.printing().previewed.first();
        QCOMPARE(prepared.pageCount(), 1);
        const QString pdf = env.root() + QStringLiteral("report.pdf");
        prepared.exportTo(pdf);
        const QString text = pdfText(pdf).simplified();
        for (const QString &part : expected)
            QVERIFY2(text.contains(part), qPrintable(part + QStringLiteral(" not in: ") + text));
        keepForViewing(prepared, QFileInfo(name).baseName());
    }
};

QTEST_MAIN(TestReportTemplates)
#include "tst_reporttemplates.moc"
