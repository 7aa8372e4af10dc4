#include "StoreFile.h"
#include "TestEnvironment.h"

#include "InitDb.h"
#include "config/Config.h"
#include "store/EngineError.h"
#include "store/Sql.h"
#include "store/fDM.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

// A real data folder whose file is damaged on disk, page by page.
class TestRepair : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    QString file() const { return env->dataFolder() + u"kvtl.db"_s; }

    // Overwrites the page where an index or table starts with garbage.
    void damagePageOf(const QString &objectName)
    {
        qint64 page = 0;
        qint64 pageSize = 0;
        {
            StoreFile store(file(), StoreFile::Build::Nothing);
            page = Sql::scalar(store.db(), u"SELECT rootpage FROM sqlite_master WHERE name = ?"_s, {objectName}).toLongLong();
            pageSize = Sql::scalar(store.db(), u"PRAGMA page_size"_s).toLongLong();
        }
        QVERIFY(page > 1);
        QFile data(file());
        QVERIFY(data.open(QIODevice::ReadWrite));
        QVERIFY(data.seek((page - 1) * pageSize));
        data.write(QByteArray(int(pageSize), '\xAB'));
        data.close();
        StoreFile damaged(file(), StoreFile::Build::Nothing);
        QVERIFY(Sql::scalar(damaged.db(), u"PRAGMA quick_check(Products)"_s).toString() != u"ok"_s);
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        CreateDataFolder(env->dataFolder(), true);
    }

    void cleanup() { env.reset(); }

    void aDamagedIndexIsRepairedSilently_data()
    {
        QTest::addColumn<QString>("index");
        QTest::newRow("secondary index") << u"Products_UPCCode"_s;
        QTest::newRow("primary index") << u"sqlite_autoindex_Products_1"_s;
    }

    void aDamagedIndexIsRepairedSilently()
    {
        QFETCH(QString, index);
        damagePageOf(index);
        TConfig config;
        TDM dm(config, {});
        dm.OpenTable(dm.tblProducts);
        QVERIFY(env->dialogs().shownTexts().isEmpty());
        QCOMPARE(dm.tblProducts.count(), 9);
        QCOMPARE(dm.tblProducts.findKey({u"062815002013"_s}, u"UPCCode"_s)->asString(u"ProductID"_s), u"CHAIN11"_s);
        QCOMPARE(dm.tblProducts.findKey({u"LUBE"_s})->asFloat(u"SellingPrice"_s), 9.5);
        QCOMPARE(Sql::scalar(dm.DB(), u"PRAGMA integrity_check"_s).toString(), u"ok"_s);
        dm.OpenTable(dm.tblCustomers);
        TRecord customer = dm.tblCustomers.newRecord();
        customer.setValue(u"LastName"_s, u"New"_s);
        dm.tblCustomers.post(customer);
        QCOMPARE(customer.asInteger(u"CustID"_s), 4);
    }

    void damagedRecordsReachTheCaller()
    {
        damagePageOf(u"Products"_s);
        TConfig config;
        TDM dm(config, {});
        try {
            dm.OpenTable(dm.tblProducts);
            QFAIL("a table with damaged records opened");
        } catch (const EDBEngineError &error) {
            QCOMPARE(error.message(), u"Database Engine Error # 8962 Data record buffers corrupt in the table 'Products'"_s);
        }
        QVERIFY(!dm.tblProducts.active());
        dm.OpenTable(dm.tblStores);
        QCOMPARE(dm.tblStores.count(), 2);
    }
};

QTEST_GUILESS_MAIN(TestRepair)
#include "tst_repair.moc"
