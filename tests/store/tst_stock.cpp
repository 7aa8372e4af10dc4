#include "store/Stock.h"
#include "store/Transaction.h"
#include "store/fDM.h"

#include "SaleFixture.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString Store = u"S1"_s;
const QString Product = u"P1"_s;

// Batches of 3 (January), 5 (March) and 4 (May), put in out of date order.
void addThreeBatches(SaleFixture &store)
{
    store.addBatch(Store, Product, QDate(2024, 5, 2), 4);
    store.addBatch(Store, Product, QDate(2024, 1, 10), 3);
    store.addBatch(Store, Product, QDate(2024, 3, 5), 5);
}
}

class TestStock : public QObject
{
    Q_OBJECT

private slots:
    void depletionTakesTheOldestFirst_data()
    {
        QTest::addColumn<int>("pieces");
        QTest::addColumn<QList<int>>("left");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("six") << 6 << QList<int>{0, 2, 4} << QStringList{};
        QTest::newRow("fifteen") << 15 << QList<int>{0, 0, 0}
                                 << QStringList{u"Inventory error: P1 at S1 missing 3 pieces."_s};
        QTest::newRow("exactly the first") << 3 << QList<int>{0, 5, 4} << QStringList{};
        QTest::newRow("none") << 0 << QList<int>{3, 5, 4} << QStringList{};
        QTest::newRow("negative") << -2 << QList<int>{5, 5, 4} << QStringList{};
    }

    void depletionTakesTheOldestFirst()
    {
        QFETCH(int, pieces);
        SaleFixture store;
        addThreeBatches(store);
        DepleteStock(Store, Product, pieces);
        QTEST(store.batchQuantities(Store, Product), "left");
        QTEST(store.errorLog(), "log");
    }

    void otherStoresProductsAndKindsAreNeverTouched()
    {
        SaleFixture store;
        addThreeBatches(store);
        store.addBatch(u"S2"_s, Product, QDate(2023, 1, 1), 7);
        store.addBatch(Store, u"P2"_s, QDate(2023, 1, 1), 7);
        store.addBatch(Store, Product, QDate(2023, 1, 1), 7, u"SUP"_s, 1);
        store.addBatch(Store, Product, QDate(2023, 2, 1), -2, u"OLD"_s);
        DepleteStock(Store, Product, 4);
        QCOMPARE(store.batchQuantities(Store, Product), (QList<int>{-2, 0, 4, 4}));
        QCOMPARE(store.batchQuantities(u"S2"_s, Product), QList<int>{7});
        QCOMPARE(store.batchQuantities(Store, u"P2"_s), QList<int>{7});
        QCOMPARE(store.scalar(u"SELECT Quantity FROM InventoryAmounts WHERE InventoryType = 1"_s).toInt(), 7);
    }

    void quotesInNamesAreTakenAsText()
    {
        SaleFixture store;
        store.addBatch(u"O'Hara"_s, u"P'1"_s, QDate(2024, 1, 10), 5);
        DepleteStock(u"O'Hara"_s, u"P'1"_s, 2);
        QCOMPARE(store.batchQuantities(u"O'Hara"_s, u"P'1"_s), QList<int>{3});
        RestoreStock(u"O'Hara"_s, u"P'1"_s, 1);
        QCOMPARE(store.batchQuantities(u"O'Hara"_s, u"P'1"_s), QList<int>{4});
    }

    // A product sold twice in a day without stock keeps one negative batch of
    // today and a line per sale.
    void aProductWithoutStockGetsANegativeBatchOfToday()
    {
        SaleFixture store;
        store.addBatch(Store, Product, QDate(2024, 1, 10), 5, u"SUP"_s, 2);
        DepleteStock(Store, Product, 4);
        DepleteStock(Store, Product, 2);
        QCOMPARE(store.scalar(u"SELECT count(*) FROM InventoryAmounts WHERE InventoryType = 0"_s).toInt(), 1);
        QCOMPARE(store.scalar(u"SELECT Quantity FROM InventoryAmounts WHERE InventoryType = 0"_s).toInt(), -6);
        QCOMPARE(store.scalar(u"SELECT PurchaseDate || '|' || SupplierID FROM InventoryAmounts "
                              "WHERE InventoryType = 0"_s).toString(),
                 u"2024-03-15|"_s);
        QCOMPARE(store.errorLog(), (QStringList{u"Inventory error: P1 at S1 not found but 4 pieces sold."_s,
                                                u"Inventory error: P1 at S1 not found but 2 pieces sold."_s}));
    }

    void restoringAddsToTheNewestBatch_data()
    {
        QTest::addColumn<bool>("batches");
        QTest::addColumn<QList<int>>("after");
        QTest::newRow("newest batch") << true << QList<int>{3, 5, 6};
        QTest::newRow("no batch") << false << QList<int>{2};
    }

    void restoringAddsToTheNewestBatch()
    {
        QFETCH(bool, batches);
        SaleFixture store;
        if (batches)
            addThreeBatches(store);
        RestoreStock(Store, Product, 2);
        QTEST(store.batchQuantities(Store, Product), "after");
        QVERIFY(store.errorLog().isEmpty());
    }

    void restoringMayFillANegativeNewestBatch()
    {
        SaleFixture store;
        DepleteStock(Store, Product, 3);
        RestoreStock(Store, Product, 1);
        QCOMPARE(store.batchQuantities(Store, Product), QList<int>{-2});
    }

    // The stock changes belong to the caller's transaction; the log does not.
    void aRolledBackSaleKeepsItsLogLines()
    {
        SaleFixture store;
        addThreeBatches(store);
        {
            Transaction transaction(store.dm().DB());
            DepleteStock(Store, Product, 20);
        }
        QCOMPARE(store.batchQuantities(Store, Product), (QList<int>{3, 5, 4}));
        QCOMPARE(store.errorLog(), QStringList{u"Inventory error: P1 at S1 missing 8 pieces."_s});
    }
};

QTEST_GUILESS_MAIN(TestStock)
#include "tst_stock.moc"
