#include "StoreFile.h"
#include "TestEnvironment.h"

#include "store/Dialect.h"
#include "store/Query.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The statements of the till, receipt and history screens, run as written
// against a small day of trade on Friday 15 March 2024.
class TestDialect : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<StoreFile> store;

    QList<QStringList> rowsOf(const QString &sql, const QString &filter = {})
    {
        TQuery query(store->connectionName());
        query.setSQL(sql);
        query.setFilter(filter);
        query.setFiltered(!filter.isEmpty());
        query.open();
        QList<QStringList> rows;
        for (const TRecord &record : query.rows()) {
            QStringList row;
            for (const QVariant &value : record.values())
                row.append(value.toString());
            rows.append(row);
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }

private slots:
    void initTestCase()
    {
        env = std::make_unique<TestEnvironment>();
        store = std::make_unique<StoreFile>(env->dataFolder() + u"kvtl.db"_s);
        store->run({
            u"INSERT INTO Customers (CustID, FirstName, LastName, HomePhone) VALUES (1, 'Ann', 'Smith', '555-0101')"_s,
            u"INSERT INTO Customers (CustID, FirstName, LastName, HomePhone) VALUES (2, 'Bo', 'O''Neil', '555-0202')"_s,
            u"INSERT INTO Products (ProductID, Description, PLU, SellingPrice) VALUES ('P1', 'Tune-up', '11', 40)"_s,
            u"INSERT INTO Products (ProductID, Description, PLU, SellingPrice) VALUES ('P2', 'Chain', '12', 15.5)"_s,
            u"INSERT INTO Sales (Invoice, CustID, DateTime, NetSale, Tax, PaymentType, WorkInProgress, DayOfWeek) "
            "VALUES ('2403000001', 1, '2024-03-15 09:10:00', 10, 0.7, 1, False, 2)"_s,
            u"INSERT INTO Sales (Invoice, CustID, DateTime, NetSale, Tax, PaymentType, WorkInProgress, DayOfWeek) "
            "VALUES ('2403000002', 2, '2024-03-15 11:00:00', 20.5, 1.4, 2, False, 9)"_s,
            u"INSERT INTO Sales (Invoice, CustID, DateTime, NetSale, Tax, PaymentType, WorkInProgress, DayOfWeek) "
            "VALUES ('2403000003', 1, '2024-03-15 12:00:00', 100, 7, 1, True, 5)"_s,
            u"INSERT INTO Sales (Invoice, CustID, DateTime, NetSale, Tax, PaymentType, WorkInProgress, DayOfWeek) "
            "VALUES ('2403000004', 2, '2024-03-10 10:00:00', 5, 0.35, 1, False, 0)"_s,
            u"INSERT INTO SaleItems (Invoice, ProductID, Quantity, Refunded) VALUES ('2403000001', 'P1', 2, 0)"_s,
            u"INSERT INTO SaleItems (Invoice, ProductID, Quantity, Refunded) VALUES ('2403000001', 'P2', 1, 0)"_s,
            u"INSERT INTO SaleItems (Invoice, ProductID, Quantity, Refunded) VALUES ('2403000002', 'P1', 3, 0)"_s,
            u"INSERT INTO SaleItems (Invoice, ProductID, Quantity, Refunded) VALUES ('2403000003', 'P2', 4, 0)"_s,
            u"INSERT INTO SaleItems (Invoice, ProductID, Quantity, Refunded) VALUES ('2403000004', 'P2', 1, 0)"_s,
            u"INSERT INTO Refunds (StoreID, Invoice, DateTime, Amount) VALUES ('S1', '2403000004', '2024-03-15 13:00:00', 5)"_s,
            u"INSERT INTO Refunds (StoreID, Invoice, DateTime, Amount) VALUES ('S1', '2403000001', '2024-03-11 16:00:00', 2.5)"_s,
            u"INSERT INTO PaidOuts (DateTime, Amount) VALUES ('2024-03-15 08:00:00', 12.25)"_s,
            u"INSERT INTO PaidOuts (DateTime, Amount) VALUES ('2024-03-14 08:00:00', 99)"_s,
        });
    }

    void cleanupTestCase()
    {
        store.reset();
        env.reset();
    }

    void translatesTheDialect_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("engine");
        QTest::newRow("bracket names") << u"SELECT [SaleItems].[Invoice] FROM [SaleItems]"_s
                                       << u"SELECT \"SaleItems\".\"Invoice\" FROM \"SaleItems\""_s;
        QTest::newRow("truth values") << u"WHERE (Sales.WorkInProgress)=False OR x = TRUE"_s
                                      << u"WHERE (Sales.WorkInProgress)=0 OR x = 1"_s;
        QTest::newRow("literals untouched") << u"WHERE Reason = 'True [x] IF (a THEN b)'"_s
                                            << u"WHERE Reason = 'True [x] IF (a THEN b)'"_s;
        QTest::newRow("cast to date") << u"WHERE CAST([DateTime] AS DATE)='2024-03-15'"_s
                                      << u"WHERE date(\"DateTime\")='2024-03-15'"_s;
        QTest::newRow("other casts kept") << u"SELECT CAST(x AS INTEGER)"_s << u"SELECT CAST(x AS INTEGER)"_s;
        QTest::newRow("day of week") << u"SELECT EXTRACT( DAYOFWEEK FROM DateTime) AS Day"_s
                                     << u"SELECT (CAST(strftime('%w', DateTime) AS INTEGER) + 1) AS Day"_s;
        QTest::newRow("nested if") << u"IF (a = 0 THEN 'x' ELSE IF (a = 1 THEN 'y' ELSE ''))"_s
                                   << u"(CASE WHEN a = 0 THEN 'x' ELSE (CASE WHEN a = 1 THEN 'y' ELSE '' END) END)"_s;
        QTest::newRow("if exists kept") << u"DROP TABLE IF EXISTS x"_s << u"DROP TABLE IF EXISTS x"_s;
    }

    void translatesTheDialect()
    {
        QFETCH(QString, statement);
        QFETCH(QString, engine);
        QCOMPARE(TranslateDialect(statement), engine);
    }

    void endOfDayStatementsCountTheDay_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QList<QStringList>>("rows");
        const QString d = u"'2024-03-15'"_s;
        QTest::newRow("customers and sales")
            << u"SELECT Count(Sales.[Invoice]) AS CustCount, Sum(Sales.[NetSale]) AS Sales FROM Sales WHERE ((Sales.WorkInProgress)=False) AND (CAST([DateTime] AS DATE)="_s + d + u")"_s
            << QList<QStringList>{{u"2"_s, u"30.5"_s}};
        QTest::newRow("items")
            << u"SELECT Sum([SaleItems].Quantity) AS Items FROM Sales INNER JOIN [SaleItems] ON Sales.[Invoice] = [SaleItems].[Invoice] WHERE (((Sales.WorkInProgress)=False) AND (CAST([DateTime] AS DATE)="_s + d + u"))"_s
            << QList<QStringList>{{u"6"_s}};
        QTest::newRow("refunds")
            << u"SELECT Sum(Refunds.Amount) AS Refunds FROM Refunds WHERE (CAST([DateTime] AS DATE)="_s + d + u")"_s
            << QList<QStringList>{{u"5"_s}};
        QTest::newRow("payment types")
            << u"SELECT Sales.[PaymentType], Sum(Sales.[NetSale]) AS Sales FROM Sales WHERE (CAST([DateTime] AS DATE)="_s + d + u")"_s + u" GROUP BY Sales.[PaymentType]"_s
            << QList<QStringList>{{u"1"_s, u"110"_s}, {u"2"_s, u"20.5"_s}};
        QTest::newRow("paid outs")
            << u"SELECT Sum(PaidOuts.Amount) AS PaidOuts FROM PaidOuts WHERE (CAST([DateTime] AS DATE)="_s + d + u")"_s
            << QList<QStringList>{{u"12.25"_s}};
    }

    void endOfDayStatementsCountTheDay() { compareRows(); }

    void endOfWeekStatementsCountByWeekday_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::newRow("sales per weekday")
            << u"SELECT EXTRACT( DAYOFWEEK FROM DateTime) AS Day, Count(Sales.[Invoice]) AS CustCount, Sum(Sales.[NetSale]) AS Sales FROM Sales WHERE ((Sales.WorkInProgress)=False) GROUP BY Day"_s
            << QList<QStringList>{{u"1"_s, u"1"_s, u"5"_s}, {u"6"_s, u"2"_s, u"30.5"_s}};
        QTest::newRow("refunds per weekday")
            << u"SELECT EXTRACT( DAYOFWEEK FROM DateTime) AS Day, Count([Invoice]) AS CustCount, Sum(Amount) AS Sales FROM Refunds GROUP BY Day"_s
            << QList<QStringList>{{u"2"_s, u"1"_s, u"2.5"_s}, {u"6"_s, u"1"_s, u"5"_s}};
        QTest::newRow("items per weekday")
            << u"SELECT EXTRACT( DAYOFWEEK FROM DateTime) AS Day, Sum([SaleItems].Quantity) AS Items FROM Sales INNER JOIN [SaleItems] ON Sales.[Invoice] = [SaleItems].[Invoice] WHERE ((Sales.WorkInProgress)=False) GROUP BY Day"_s
            << QList<QStringList>{{u"1"_s, u"1"_s}, {u"6"_s, u"6"_s}};
        QTest::newRow("refunded items per weekday")
            << u"SELECT EXTRACT( DAYOFWEEK FROM DateTime) AS Day, Sum([SaleItems].Quantity) AS Items FROM Refunds INNER JOIN [SaleItems] ON Refunds.[Invoice] = [SaleItems].[Invoice] GROUP BY Day"_s
            << QList<QStringList>{{u"2"_s, u"3"_s}, {u"6"_s, u"1"_s}};
        QTest::newRow("refund total") << u"SELECT Sum(Refunds.Amount) AS Refund FROM Refunds"_s
                                      << QList<QStringList>{{u"7.5"_s}};
    }

    void endOfWeekStatementsCountByWeekday() { compareRows(); }

    void customerHistoryListsDistinctPurchases_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QList<QStringList>>("rows");
        const QString start = u"SELECT DISTINCT DateTime, Description, PLU, SellingPrice FROM Sales AS T1, SaleItems AS T2, Products AS T3, Customers AS T4 WHERE T2.Invoice=T1.Invoice AND T3.ProductID=T2.ProductID AND T4.CustID=T1.CustID AND "_s;
        const QList<QStringList> smith{{u"2024-03-15 09:10:00"_s, u"Chain"_s, u"12"_s, u"15.5"_s},
                                       {u"2024-03-15 09:10:00"_s, u"Tune-up"_s, u"11"_s, u"40"_s},
                                       {u"2024-03-15 12:00:00"_s, u"Chain"_s, u"12"_s, u"15.5"_s}};
        QTest::newRow("by number") << start + u"T4.CustID=1"_s << smith;
        QTest::newRow("by last name") << start + u"T4.Lastname='O''Neil'"_s
                                      << QList<QStringList>{{u"2024-03-10 10:00:00"_s, u"Chain"_s, u"12"_s, u"15.5"_s},
                                                            {u"2024-03-15 11:00:00"_s, u"Tune-up"_s, u"11"_s, u"40"_s}};
        QTest::newRow("by telephone") << start + u"T4.HomePhone='555-0101'"_s << smith;
        QTest::newRow("nobody") << start + u"T4.HomePhone='555-9999'"_s << QList<QStringList>{};
    }

    void customerHistoryListsDistinctPurchases() { compareRows(); }

    void workOrderQueriesHonourTheRecordFilter_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("lastName");
        QTest::newRow("Tuesday") << u"Invoice='2403000001'"_s << u"Tuesday"_s << u"Smith"_s;
        QTest::newRow("no such weekday") << u"Invoice='2403000002'"_s << u""_s << u"O'Neil"_s;
        QTest::newRow("Sunday") << u"Invoice='2403000004'"_s << u"Sunday"_s << u"O'Neil"_s;
    }

    void workOrderQueriesHonourTheRecordFilter()
    {
        QFETCH(QString, filter);
        QFETCH(QString, day);
        QFETCH(QString, lastName);
        TQuery invoice(store->connectionName());
        invoice.setSQL(u"SELECT s.Invoice, s.Discount, s.Coupon, s.Tax, s.NetSale, s.Notes, s.Time, s.DayOfWeek, c.FirstName, c.LastName, c.HomePhone, IF (s.DayOfWeek = 0 THEN 'Sunday' ELSE IF (s.DayOfWeek = 1 THEN 'Monday' ELSE IF (s.DayOfWeek = 2 THEN 'Tuesday'  ELSE IF (s.DayOfWeek = 3 THEN 'Wednesday' ELSE IF (s.DayOfWeek = 4 THEN 'Thursday' ELSE IF (s.DayOfWeek = 5 THEN 'Friday' ELSE IF (s.DayOfWeek = 6 THEN 'Saturday' ELSE ''))))))) AS Day FROM Customers c INNER JOIN Sales s ON (c.CustID = s.CustID)"_s);
        invoice.setFilter(filter);
        invoice.setFiltered(true);
        invoice.open();
        QCOMPARE(invoice.rows().size(), 1);
        QCOMPARE(invoice.text(u"Day"_s), day);
        QCOMPARE(invoice.text(u"LastName"_s), lastName);
        invoice.setFiltered(false);
        QCOMPARE(invoice.rows().size(), 4);
    }

    void receiptLinesHonourTheRecordFilter()
    {
        const QList<QStringList> lines = rowsOf(
            u"SELECT p.Description, p.SellingPrice, si.ProductID, si.Quantity, si.Invoice FROM Products p INNER JOIN SaleItems si ON (p.ProductID = si.ProductID)"_s,
            u"Invoice='2403000001'"_s);
        QCOMPARE(lines, (QList<QStringList>{{u"Chain"_s, u"15.5"_s, u"P2"_s, u"1"_s, u"2403000001"_s},
                                            {u"Tune-up"_s, u"40"_s, u"P1"_s, u"2"_s, u"2403000001"_s}}));
    }

private:
    void compareRows()
    {
        QFETCH(QString, sql);
        QFETCH(QList<QStringList>, rows);
        QCOMPARE(rowsOf(sql), rows);
    }
};

QTEST_GUILESS_MAIN(TestDialect)
#include "tst_dialect.moc"
