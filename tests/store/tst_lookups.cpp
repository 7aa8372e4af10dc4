#include "config/TextHelpers.h"
#include "ConversionError.h"
#include "store/Lookups.h"
#include "store/Sql.h"
#include "store/fDM.h"

#include "SaleFixture.h"

#include <QLocale>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

class TestLookups : public QObject
{
    Q_OBJECT

    static void addSale(SaleFixture &store, const QString &invoice)
    {
        store.exec(u"INSERT INTO Sales (Invoice, CustID) VALUES (?, 0)"_s, {invoice});
    }

    static void addCustomer(SaleFixture &store, int id, const QString &last, const QString &first,
                            const QString &phone, int gender)
    {
        store.exec(u"INSERT INTO Customers (CustID, LastName, FirstName, HomePhone, Gender) VALUES (?, ?, ?, ?, ?)"_s,
                   {id, last, first, phone, gender});
    }

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void nextInvoiceNumber_data()
    {
        QTest::addColumn<QString>("lastInvoice");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("next");
        QTest::newRow("empty table") << QString() << QDate(2024, 3, 15) << u"2403000001"_s;
        QTest::newRow("earlier month") << u"2402000123"_s << QDate(2024, 3, 15) << u"2403000001"_s;
        QTest::newRow("same month") << u"2403000017"_s << QDate(2024, 3, 15) << u"2403000018"_s;
        QTest::newRow("clock set back") << u"2405000009"_s << QDate(2024, 3, 15) << u"2403000010"_s;
        QTest::newRow("new year") << u"2312000044"_s << QDate(2024, 1, 2) << u"2401000001"_s;
    }

    void nextInvoiceNumber()
    {
        QFETCH(QString, lastInvoice);
        QFETCH(QDate, today);
        SaleFixture store;
        store.env().clock().current = QDateTime(today, QTime(9, 0));
        if (!lastInvoice.isEmpty()) {
            addSale(store, u"2301000999"_s);
            addSale(store, lastInvoice);
        }
        QTEST(NextInvoiceNumber(), "next");
    }

    void anInvoiceWithoutSixDigitsIsAConversionError()
    {
        SaleFixture store;
        addSale(store, u"2403ABCDEF"_s);
        QCOMPARE(conversionErrorOf([] { NextInvoiceCounter(); }), u"'ABCDEF' is not a valid integer value"_s);
    }

    // The next number comes from the invoice index, so a large table costs
    // no more than a small one.
    void theNextNumberComesFromTheIndex()
    {
        SaleFixture store;
        QSqlDatabase db = store.dm().DB();
        store.exec(u"BEGIN"_s);
        QSqlQuery insert(db);
        insert.prepare(u"INSERT INTO Sales (Invoice, CustID) VALUES (?, 0)"_s);
        for (int n = 1; n <= 30000; ++n) {
            // Stored out of order, so that only the key order finds the last one.
            insert.addBindValue(u"2403%1"_s.arg((n * 7919) % 30000 + 1, 6, 10, QLatin1Char('0')));
            QVERIFY(insert.exec());
        }
        store.exec(u"COMMIT"_s);
        QCOMPARE(NextInvoiceNumber(), u"2403030001"_s);
        QSqlQuery plan = Sql::run(db, u"EXPLAIN QUERY PLAN SELECT * FROM \"Sales\" ORDER BY \"Invoice\" DESC LIMIT 1"_s);
        QString steps;
        while (plan.next())
            steps += plan.value(3).toString() + u'\n';
        QVERIFY2(!steps.contains(u"TEMP B-TREE"_s), qPrintable(steps));
        QVERIFY2(steps.contains(u"INDEX"_s), qPrintable(steps));
    }

    void customers()
    {
        SaleFixture store;
        addCustomer(store, 7, u"Ashdown"_s, u"Mira"_s, u"555-0101"_s, 0);
        addCustomer(store, 9, u"Brill"_s, u"Olek"_s, u"555-0101"_s, 1);
        addCustomer(store, 11, u"Corve"_s, u"Ida"_s, u"  "_s, -1);
        QVERIFY(CustomerExistsByPhone(u"555-0101"_s));
        QVERIFY(!CustomerExistsByPhone(u"555-01"_s));
        QCOMPARE(CustomerIDByPhone(u"555-0101"_s), 7);
        QCOMPARE(CustomerIDByPhone(u"555-9999"_s), 0);
        QCOMPARE(CustomerComboRows(u"555-0101"_s),
                 (QList<QStringList>{{u"7"_s, u"Ashdown"_s, QString(), u"Mira"_s},
                                     {u"9"_s, u"Brill"_s, QString(), u"Olek"_s}}));
        const CustomerDetails brill = GetCustomer(u"9"_s);
        QCOMPARE(brill.lastName, u"Brill"_s);
        QCOMPARE(brill.firstName, u"Olek"_s);
        QCOMPARE(brill.gender, 1);
        for (const QString &text : {u"12"_s, u"7 OR 1=1"_s, QString()}) {
            const CustomerDetails none = GetCustomer(text);
            QVERIFY(none.lastName.isEmpty() && none.firstName.isEmpty() && none.gender == 0);
        }
        QStringList phones{u"old"_s};
        FillPhoneList(phones);
        QCOMPARE(phones, (QStringList{u"555-0101"_s, u"555-0101"_s}));
    }

    void products_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("price");
        QTest::newRow("known") << u"C"_s << u"P100"_s << u"Kettle"_s << u"24.50"_s;
        QTest::newRow("comma locale") << u"de_DE"_s << u"P100"_s << u"Kettle"_s << u"24,50"_s;
        QTest::newRow("unknown") << u"C"_s << u"Q9"_s << QString() << u"0.00"_s;
        QTest::newRow("quote in code") << u"C"_s << u"O'Neil"_s << u"Tea"_s << u"3.00"_s;
    }

    void products()
    {
        QFETCH(QString, locale);
        QFETCH(QString, code);
        SaleFixture store;
        QLocale::setDefault(QLocale(locale));
        store.addProduct(u"P100"_s, u"Kettle"_s, u"070123456789"_s, 24.5);
        store.addProduct(u"O'Neil"_s, u"Tea"_s, u"070123456790"_s, 3);
        const ProductDetails product = GetProduct(code);
        QTEST(product.description, "description");
        QTEST(product.price, "price");
    }

    void productsByBarCodeAndTheProductList()
    {
        SaleFixture store;
        store.addProduct(u"P200"_s, u"Pot"_s, u"4006381333931"_s, 9);
        store.addProduct(u"P100"_s, u"Kettle"_s, u"070123456789"_s, 24.5);
        QCOMPARE(ProductIDByUPC(u"4006381333931"_s), u"P200"_s);
        QCOMPARE(ProductIDByUPC(u"4006381333932"_s), QString());
        QStringList list;
        FillProductList(list);
        QCOMPARE(list, (QStringList{u"P100"_s, u"P200"_s}));
    }

    void paymentTypesEmployeesStoresSuppliers()
    {
        SaleFixture store;
        store.addPaymentTypes({u"Cash"_s, u"Visa"_s, u"Debit"_s});
        store.exec(u"INSERT INTO Employees (EmployeeID, Name) VALUES ('E2', 'Tam Orr'), ('E1', 'Lu Veer')"_s);
        store.exec(u"INSERT INTO Stores (StoreID, Name) VALUES ('S2', 'North'), ('S1', 'Main')"_s);
        store.exec(u"INSERT INTO Suppliers (SupplierID, Name) VALUES ('B', 'Bolt'), ('A', 'Anvil')"_s);
        QCOMPARE(PaymentTypeName(2), u"Visa"_s);
        QCOMPARE(PaymentTypeName(9), QString());
        QCOMPARE(PaymentTypeID(u"Debit"_s), 3);
        QCOMPARE(PaymentTypeID(u"Amex"_s), -1);
        QCOMPARE(EmployeeIDByName(u"Tam Orr"_s), u"E2"_s);
        QCOMPARE(EmployeeIDByName(u"Nobody"_s), QString());
        QStringList list;
        FillPaymentTypeList(list);
        QCOMPARE(list, (QStringList{u"Cash"_s, u"Visa"_s, u"Debit"_s}));
        FillStoreList(list);
        QCOMPARE(list, (QStringList{u"S1"_s, u"S2"_s}));
        FillSupplierList(list);
        QCOMPARE(list, (QStringList{u"A"_s, u"B"_s}));
    }

    // A screen may have set a table's filter and order; lookups leave them
    // as they were, also when they fail.
    void lookupsLeaveTheTablesAsTheyWereSet()
    {
        SaleFixture store;
        store.addProduct(u"P100"_s, u"Kettle"_s, u"070123456789"_s, 24.5);
        TTable &products = store.dm().tblProducts;
        store.dm().OpenTable(products);
        products.setIndexName(u"UPCCode"_s);
        products.setFilter(u"ProductID='P100'"_s);
        products.setFiltered(true);
        QCOMPARE(GetProduct(u"P100"_s).description, u"Kettle"_s);
        QCOMPARE(ProductIDByUPC(u"070123456789"_s), u"P100"_s);
        QStringList list;
        FillProductList(list);
        QCOMPARE(products.indexName(), u"UPCCode"_s);
        QCOMPARE(products.filter(), u"ProductID='P100'"_s);
        QVERIFY(products.filtered());

        store.exec(u"DROP TABLE Suppliers"_s);
        list = QStringList{u"kept"_s};
        QVERIFY_THROWS_EXCEPTION(std::exception, FillSupplierList(list));
        QCOMPARE(list, QStringList{u"kept"_s});
    }
};

QTEST_GUILESS_MAIN(TestLookups)
#include "tst_lookups.moc"
