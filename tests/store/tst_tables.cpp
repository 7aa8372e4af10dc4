#include "StoreFile.h"
#include "TestEnvironment.h"

#include "store/EngineError.h"
#include "store/Sql.h"
#include "store/Table.h"
#include "store/Transaction.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The table objects: reading in index order with filters, finding by key,
// appending, editing, deleting, and keeping several writes together.
class TestTables : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<StoreFile> store;

    TTable openTable(const QString &name)
    {
        TTable table(store->connectionName(), name);
        table.open();
        return table;
    }

    static QStringList column(const QList<TRecord> &rows, const QString &field)
    {
        QStringList values;
        for (const TRecord &row : rows)
            values.append(row.asString(field));
        return values;
    }

    void addBatch(TTable &amounts, const QString &product, const QDate &bought, int type, int quantity)
    {
        amounts.appendRecord({u"S1"_s, u"SUP"_s, product, bought, type, quantity});
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        store = std::make_unique<StoreFile>(env->dataFolder() + u"kvtl.db"_s);
    }

    void cleanup()
    {
        store.reset();
        env.reset();
    }

    void readsInIndexOrderThroughAFilter()
    {
        TTable amounts = openTable(u"InventoryAmounts"_s);
        addBatch(amounts, u"P1"_s, QDate(2024, 5, 1), 0, 4);
        addBatch(amounts, u"P1"_s, QDate(2024, 1, 1), 0, 3);
        addBatch(amounts, u"P1"_s, QDate(2024, 3, 1), 0, 5);
        addBatch(amounts, u"P1"_s, QDate(2024, 2, 1), 1, 9);
        addBatch(amounts, u"P2"_s, QDate(2023, 1, 1), 0, 7);
        const Selection onHand{u"StoreID='S1' AND ProductID='P1' AND InventoryType=0 AND Quantity >= 0"_s,
                               u"PurchaseDate"_s};
        QCOMPARE(column(amounts.rows(onHand), u"Quantity"_s), (QStringList{u"3"_s, u"5"_s, u"4"_s}));
        QCOMPARE(amounts.last(onHand)->asDate(u"PurchaseDate"_s), QDate(2024, 5, 1));
        QCOMPARE(amounts.count(onHand), 3);
        QCOMPARE(amounts.rows().size(), 5);
    }

    void filterScopePutsTheTableBack()
    {
        TTable customers = openTable(u"Customers"_s);
        customers.appendRecord({QVariant(), u"Ann"_s, u"Smith"_s, {}, {}, {}, {}, {}, u"555-0101"_s});
        customers.appendRecord({QVariant(), u"Bo"_s, u"Wu"_s, {}, {}, {}, {}, {}, u"555-0000"_s});
        {
            FilterScope scope(customers, u"HomePhone = '555-0101'"_s, u"HomePhone"_s);
            QCOMPARE(column(customers.rows(), u"LastName"_s), QStringList{u"Smith"_s});
        }
        QVERIFY(!customers.filtered());
        QVERIFY(customers.indexName().isEmpty());
        QCOMPARE(column(customers.rows(), u"CustID"_s), (QStringList{u"1"_s, u"2"_s}));
        QCOMPARE(customers.findKey({u"555-0000"_s}, u"HomePhone"_s)->asInteger(u"CustID"_s), 2);
        QVERIFY(!customers.findKey({u"555-7777"_s}, u"HomePhone"_s));
    }

    void editsPostsAndDeletesByKey()
    {
        TTable hours = openTable(u"EmployeeHours"_s);
        TRecord row = hours.newRecord();
        row.setValue(u"EmployeeID"_s, u"E1"_s);
        row.setValue(u"WorkDate"_s, QDate(2024, 3, 11));
        row.setValue(u"Hours"_s, 7.5);
        hours.post(row);
        hours.appendRecord({u"E1"_s, QDate(2024, 3, 12), 8.0});

        TRecord found = *hours.findKey({u"E1"_s, QDate(2024, 3, 11)});
        found.setValue(u"Hours"_s, 6.25);
        hours.post(found);
        QCOMPARE(hours.findKey({u"E1"_s, u"2024-03-11"_s})->asFloat(u"Hours"_s), 6.25);
        QCOMPARE(hours.findKey({u"E1"_s, u"2024-03-12"_s})->asFloat(u"Hours"_s), 8.0);

        hours.remove(*hours.findKey({u"E1"_s, QDate(2024, 3, 12)}));
        QCOMPARE(hours.count(), 1);
    }

    void appendsWholeRecordsByPosition()
    {
        TTable products = openTable(u"Products"_s);
        const TRecord stored = products.appendRecord({u"P1"_s, u"Chain"_s, u"012345678905"_s, u"12"_s, u"Parts"_s, 1,
                                                      2, u"each"_s, 1, 6.0, 15.5, 1, u"SUP"_s, 2, 20, false, true});
        QVERIFY(stored.asBoolean(u"Active"_s));
        QCOMPARE(stored.asString(u"Group"_s), u"Parts"_s);

        TTable stores = openTable(u"Stores"_s);
        QVariantList tooMany{u"S1"_s, u"Main"_s, 1, u"extra"_s};
        QVERIFY_THROWS_EXCEPTION(EDBEngineError, stores.appendRecord(tooMany));
        QCOMPARE(stores.count(), 0);
    }

    void refundsAreNumberedAcrossStores()
    {
        TTable refunds = openTable(u"Refunds"_s);
        TRecord first = refunds.newRecord();
        first.setValue(u"StoreID"_s, u"S1"_s);
        first.setValue(u"Invoice"_s, u"2403000001"_s);
        refunds.post(first);
        TRecord second = refunds.newRecord();
        second.setValue(u"StoreID"_s, u"S2"_s);
        refunds.post(second);
        QCOMPARE(first.asInteger(u"RefundID"_s), 1);
        QCOMPARE(second.asInteger(u"RefundID"_s), 2);
        QCOMPARE(second.asFloat(u"Amount"_s), 0.0);
        QVERIFY(!second.asBoolean(u"Modified"_s));
        refunds.appendRecord({1, u"2403000009"_s, QDateTime(), 0, 0, u""_s, u""_s, u"S2"_s});
        QVERIFY_THROWS_EXCEPTION(EDBEngineError,
                                 refunds.appendRecord({1, u"2403000009"_s, QDateTime(), 0, 0, u""_s, u""_s, u"S2"_s}));
    }

    void aTransactionKeepsAllOrNothing()
    {
        TTable stores = openTable(u"Stores"_s);
        QVERIFY_THROWS_EXCEPTION(EDBEngineError, withTransaction(store->db(), [&] {
            stores.appendRecord({u"S1"_s, u"Main"_s, 1});
            withTransaction(store->db(), [&] { stores.appendRecord({u"S2"_s, u"Mall"_s, 1}); });
            stores.appendRecord({u"S1"_s, u"Again"_s, 1});
        }));
        QCOMPARE(stores.count(), 0);
        withTransaction(store->db(), [&] {
            stores.appendRecord({u"S1"_s, u"Main"_s, 1});
            stores.appendRecord({u"S2"_s, u"Mall"_s, 1});
        });
        QCOMPARE(stores.count(), 2);
    }

    void aMissingTableDoesNotExist()
    {
        Sql::run(store->db(), u"DROP TABLE PaidOuts"_s);
        TTable paidOuts(store->connectionName(), u"PaidOuts"_s);
        try {
            paidOuts.open();
            QFAIL("a missing table opened");
        } catch (const EDBEngineError &error) {
            QCOMPARE(error.code(), int(EngineCode::TableNotFound));
            QCOMPARE(error.message(), u"Database Engine Error # 11010 Table 'PaidOuts' does not exist"_s);
        }
    }
};

QTEST_GUILESS_MAIN(TestTables)
#include "tst_tables.moc"
