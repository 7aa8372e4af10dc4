#include "StoreFile.h"
#include "TestEnvironment.h"

#include "config/Config.h"
#include "store/EngineError.h"
#include "store/Schema.h"
#include "store/Sql.h"
#include "store/Transaction.h"
#include "store/Upgrade.h"
#include "store/fDM.h"

#include <QSqlRecord>
#include <QTest>

#include <atomic>
#include <thread>

using namespace Qt::StringLiterals;

namespace {
const QString UpdateFailed = u"Database Update Failed. This new version requires database updates. Make sure no one "
                             "else is using the software and restart."_s;
}

// A data folder from before the synchronisation fields: the four versioned
// tables at 1.0 with rows in them.
class TestUpgrade : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    QString file() const { return env->dataFolder() + u"kvtl.db"_s; }

    void makeOldFolder()
    {
        StoreFile store(file(), StoreFile::Build::Nothing);
        Transaction building(store.db());
        Schema::createVersionTable(store.db());
        for (const QString &name : Schema::tableNames())
            Schema::createTable(store.db(), name,
                                Schema::versionedTables().contains(name) ? Version1_0 : Version1_1);
        store.run({
            u"INSERT INTO Customers (FirstName, LastName, HomePhone, Gender, Notes) VALUES ('Ann', 'Smith', '555-0101', 0, 'likes red')"_s,
            u"INSERT INTO Refunds (Invoice, DateTime, Amount, Tax, Reason, EmployeeID) VALUES ('2403000001', '2024-03-11 16:00:00', 2.5, 0.18, 'Wrong size', 'E1')"_s,
            u"INSERT INTO Refunds (Invoice, DateTime, Amount, Tax, Reason, EmployeeID) VALUES ('2403000002', '2024-03-12 09:00:00', NULL, NULL, '', 'E2')"_s,
            u"INSERT INTO Sales (Invoice, CustID, DateTime, NetSale, WorkInProgress, Notes) VALUES ('2403000001', 1, '2024-03-11 10:00:00', 12.5, True, 'rush')"_s,
            u"INSERT INTO SaleItems (Invoice, ProductID, Quantity, Refunded) VALUES ('2403000001', 'P1', 3, 1)"_s,
        });
        building.commit();
    }

    static QStringList rowTexts(const QSqlDatabase &db, const QString &sql)
    {
        QStringList rows;
        QSqlQuery query = Sql::run(db, sql);
        while (query.next()) {
            QStringList row;
            for (int i = 0; i < query.record().count(); ++i)
                row.append(query.value(i).isNull() ? u"<null>"_s : query.value(i).toString());
            rows.append(row.join(u'|'));
        }
        return rows;
    }

    void verifyVersions(const QSqlDatabase &db, SchemaVersion expected)
    {
        for (const QString &name : Schema::versionedTables())
            QVERIFY2(Schema::readVersion(db, name) == expected, qPrintable(name));
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        makeOldFolder();
    }

    void cleanup() { env.reset(); }

    void upgradeKeepsEveryValue()
    {
        TConfig config;
        TDM dm(config, {});
        QVERIFY(env->dialogs().shownTexts().isEmpty());
        const QSqlDatabase db = dm.DB();
        verifyVersions(db, Version1_1);
        QCOMPARE(rowTexts(db, u"SELECT * FROM Customers"_s),
                 QStringList{u"1|Ann|Smith|<null>|<null>|<null>|<null>|<null>|555-0101|<null>|<null>|<null>|0|likes red|0|0"_s});
        QCOMPARE(rowTexts(db, u"SELECT * FROM Refunds ORDER BY RefundID"_s),
                 (QStringList{u"1|2403000001|2024-03-11 16:00:00|2.5|0.18|Wrong size|E1||0|0"_s,
                              u"2|2403000002|2024-03-12 09:00:00|<null>|<null>||E2||0|0"_s}));
        QCOMPARE(rowTexts(db, u"SELECT Invoice, NetSale, WorkInProgress, Notes, StoreID, Modified, Deleted FROM Sales"_s),
                 QStringList{u"2403000001|12.5|1|rush|<null>|0|0"_s});
        QCOMPARE(rowTexts(db, u"SELECT * FROM SaleItems"_s), QStringList{u"2403000001|P1|3|1|<null>"_s});
        for (const QString &table : {u"Refunds"_s, u"Sales"_s, u"SaleItems"_s}) {
            dm.OpenTable(*dm.table(table));
            QCOMPARE(dm.table(table)->indexFields(u"StoreID"_s), QStringList{u"StoreID"_s});
        }
        QCOMPARE(dm.tblRefunds.findKey({u""_s}, u"StoreID"_s)->asInteger(u"RefundID"_s), 1);
        dm.OpenTable(dm.tblCustomers);
        QCOMPARE(dm.tblCustomers.fieldNames().indexOf(u"Modified"_s), 14);
        QCOMPARE(dm.tblSales.fieldNames().indexOf(u"StoreID"_s), 21);
    }

    void upgradedRefundsAreKeyedByStore()
    {
        TConfig config;
        TDM dm(config, {});
        dm.OpenTable(dm.tblRefunds);
        QCOMPARE(dm.tblRefunds.keyFields(), (QStringList{u"StoreID"_s, u"RefundID"_s}));
        dm.tblRefunds.appendRecord({1, u"2403000009"_s, QDateTime(), 1.0, 0.0, u""_s, u""_s, u"S2"_s});
        QVERIFY_THROWS_EXCEPTION(EDBEngineError,
                                 dm.tblRefunds.appendRecord({1, u"2403000009"_s, QDateTime(), 1.0, 0.0, u""_s, u""_s, u""_s}));
        TRecord next = dm.tblRefunds.newRecord();
        next.setValue(u"StoreID"_s, u"S1"_s);
        dm.tblRefunds.post(next);
        QCOMPARE(next.asInteger(u"RefundID"_s), 3);
    }

    void aLockedDatabaseIsReportedOnceAndTriedAgainLater()
    {
        StoreFile otherTill(file(), StoreFile::Build::Nothing);
        Sql::run(otherTill.db(), u"BEGIN IMMEDIATE"_s);
        TConfig config;
        TDM dm(config, {}, 50);
        QCOMPARE(env->dialogs().shownTexts().count(UpdateFailed), 1);
        verifyVersions(dm.DB(), Version1_0);
        Sql::run(otherTill.db(), u"ROLLBACK"_s);
        env->dialogs().clear();
        dm.UpgradeDatabase();
        QVERIFY(env->dialogs().shownTexts().isEmpty());
        verifyVersions(dm.DB(), Version1_1);
    }

    void aTableUpgradedByAnotherTillMeanwhileIsLeftAsItLeftIt()
    {
        std::atomic<bool> locked = false;
        std::thread other([&] {
            StoreFile till(file(), StoreFile::Build::Nothing);
            Transaction starting(till.db());
            locked = true;
            QTest::qSleep(200);
            Upgrade::upgradeTable(till.db(), u"Refunds"_s);
            Sql::run(till.db(), u"UPDATE Refunds SET StoreID = 'S1', Modified = 1"_s);
            starting.commit();
        });
        while (!locked)
            std::this_thread::yield();
        StoreFile till(file(), StoreFile::Build::Nothing);
        QVERIFY(!Upgrade::upgradeTable(till.db(), u"Refunds"_s));
        other.join();
        QCOMPARE(rowTexts(till.db(), u"SELECT RefundID, StoreID, Modified FROM Refunds ORDER BY RefundID"_s),
                 (QStringList{u"1|S1|1"_s, u"2|S1|1"_s}));
    }

    void anotherErrorIsShownAtOnceAndTheOtherTablesGoOn()
    {
        {
            StoreFile store(file(), StoreFile::Build::Nothing);
            Sql::run(store.db(), u"DROP TABLE Refunds"_s);
        }
        TConfig config;
        TDM dm(config, {});
        QCOMPARE(env->dialogs().shownTexts(),
                 QStringList{u"Database Engine Error # 11010 Table 'Refunds' does not exist"_s});
        for (const QString &name : {u"Customers"_s, u"Sales"_s, u"SaleItems"_s})
            QVERIFY2(Schema::readVersion(dm.DB(), name) == Version1_1, qPrintable(name));
    }

    void otherVersionsAreLeftAlone()
    {
        {
            StoreFile store(file(), StoreFile::Build::Nothing);
            Schema::stampVersion(store.db(), u"Sales"_s, {1, 2});
        }
        TConfig config;
        TDM dm(config, {});
        QVERIFY(Schema::readVersion(dm.DB(), u"Sales"_s) == (SchemaVersion{1, 2}));
        dm.OpenTable(dm.tblSales);
        QCOMPARE(dm.tblSales.fieldNames().size(), 21);
        QVERIFY(Schema::readVersion(dm.DB(), u"SaleItems"_s) == Version1_1);
    }
};

QTEST_GUILESS_MAIN(TestUpgrade)
#include "tst_upgrade.moc"
