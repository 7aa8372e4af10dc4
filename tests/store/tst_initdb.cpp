#include "StoreFile.h"
#include "TestEnvironment.h"

#include "InitDb.h"
#include "config/Config.h"
#include "config/DataFiles.h"
#include "platform/AppError.h"
#include "store/Table.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

// What a new data folder holds.
class TestInitDb : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    QStringList column(const QString &connection, const QString &table, const QString &field)
    {
        TTable source(connection, table);
        source.open();
        QStringList values;
        for (const TRecord &row : source.rows())
            values.append(row.asString(field));
        return values;
    }

    QStringList lines(const QString &name)
    {
        QFile file(env->dataFolder() + name);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

private slots:
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup() { env.reset(); }

    void aNewFolderHoldsTheDefaults()
    {
        CreateDataFolder(env->dataFolder(), false);
        QVERIFY(DataFilesPresent(env->dataFolder()));
        StoreFile store(env->dataFolder() + u"kvtl.db"_s, StoreFile::Build::Nothing);
        QCOMPARE(column(store.connectionName(), u"PaymentTypes"_s, u"PaymentType"_s),
                 (QStringList{u"Cash"_s, u"Visa"_s, u"MC"_s, u"Amex"_s, u"Debit"_s}));
        QCOMPARE(column(store.connectionName(), u"InventoryTypes"_s, u"InventoryType"_s),
                 (QStringList{u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s}));
        TTable security(store.connectionName(), u"Security"_s);
        security.open();
        const TRecord admin = *security.findKey({u"Administrator"_s});
        QCOMPARE(admin.values(), (QVariantList{u"Administrator"_s, u"Administrator"_s, u""_s, 0, u"tovel"_s, u"A"_s, 1}));
        QVERIFY(column(store.connectionName(), u"Products"_s, u"ProductID"_s).isEmpty());
        for (const QString &coupon : lines(u"coupons.txt"_s)) {
            bool whole = false;
            coupon.toInt(&whole);
            QVERIFY2(whole, qPrintable(coupon));
        }
        QVERIFY(lines(u"discounts.txt"_s).contains(u"10%"_s));
        QVERIFY(!lines(u"discountTypes.txt"_s).isEmpty());
        QVERIFY(!QFile::exists(env->dataFolder() + u"KVTL.ini"_s));
    }

    void theDemoFolderIsAShopToTryOut()
    {
        CreateDataFolder(env->dataFolder(), true);
        TConfig config;
        QCOMPARE(config.StoreID, u"S1"_s);
        QCOMPARE(config.StoreName, u"Harbour Street Cycles"_s);
        QCOMPARE(config.TaxRate, 0.07);
        StoreFile store(env->dataFolder() + u"kvtl.db"_s, StoreFile::Build::Nothing);
        const QStringList codes = column(store.connectionName(), u"Products"_s, u"UPCCode"_s);
        QVERIFY(codes.count(u"062815001016"_s) == 1);
        QCOMPARE(column(store.connectionName(), u"Stores"_s, u"StoreID"_s), (QStringList{u"S1"_s, u"S2"_s}));
        QVERIFY(!column(store.connectionName(), u"Customers"_s, u"HomePhone"_s).isEmpty());
        QVERIFY(!column(store.connectionName(), u"Employees"_s, u"Name"_s).isEmpty());
        QVERIFY(!column(store.connectionName(), u"InventoryAmounts"_s, u"Quantity"_s).isEmpty());
    }

    void anExistingDatabaseIsNeverOverwritten()
    {
        CreateDataFolder(env->dataFolder(), false);
        QVERIFY_THROWS_EXCEPTION(AppError, CreateDataFolder(env->dataFolder(), true));
        StoreFile store(env->dataFolder() + u"kvtl.db"_s, StoreFile::Build::Nothing);
        QVERIFY(column(store.connectionName(), u"Products"_s, u"ProductID"_s).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestInitDb)
#include "tst_initdb.moc"
