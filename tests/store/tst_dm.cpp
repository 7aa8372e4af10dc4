#include "StoreFile.h"
#include "TestEnvironment.h"

#include "InitDb.h"
#include "config/Config.h"
#include "store/EngineError.h"
#include "store/Sql.h"
#include "store/fDM.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <atomic>
#include <thread>

using namespace Qt::StringLiterals;

// Opening the data folder: the data-missing loop, connecting, the Users
// record of the start and the end, and two tills on one file.
class TestDM : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    QStringList askedFolders;

    // Answers the data-missing dialog from a script of folders (nullopt is Cancel).
    AskDataFolderFn scriptedAnswers(QList<std::optional<QString>> answers)
    {
        return [this, answers](QString &folder) mutable {
            askedFolders.append(folder);
            const std::optional<QString> answer = answers.isEmpty() ? std::nullopt : answers.takeFirst();
            if (answer)
                folder = *answer;
            return answer.has_value();
        };
    }

    TRecord userRow(TDM &dm)
    {
        dm.OpenTable(dm.tblUsers);
        return *dm.tblUsers.findKey({u"cashier"_s});
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        askedFolders.clear();
    }

    void cleanup() { env.reset(); }

    void aNewDataFolderOpensWithoutTheDialogAndRecordsTheUser()
    {
        CreateDataFolder(env->dataFolder(), false);
        TConfig config;
        {
            TDM dm(config, scriptedAnswers({}));
            QVERIFY(askedFolders.isEmpty());
            QVERIFY(dm.connected());
            QVERIFY(env->dialogs().shownTexts().isEmpty());
            QCOMPARE(&TDM::instance(), &dm);
            const TRecord started = userRow(dm);
            QCOMPARE(started.asDateTime(u"LastIn"_s), env->clock().current);
            QVERIFY(started.isNull(u"LastOut"_s));
            QVERIFY(dm.passwordRegistered(u"plintok"_s));
            env->clock().current = env->clock().current.addSecs(3600);
        }
        QVERIFY(!TDM::exists());
        StoreFile file(env->dataFolder() + u"kvtl.db"_s, StoreFile::Build::Nothing);
        TTable users(file.connectionName(), u"Users"_s);
        users.open();
        QCOMPARE(users.count(), 1);
        const TRecord left = *users.findKey({u"cashier"_s});
        QCOMPARE(left.asDateTime(u"LastIn"_s), QDateTime(QDate(2024, 3, 15), QTime(10, 30)));
        QCOMPARE(left.asDateTime(u"LastOut"_s), QDateTime(QDate(2024, 3, 15), QTime(11, 30)));
    }

    void cancelStartsWithTheTablesThereAre()
    {
        CreateDataFolder(env->dataFolder(), false);
        {
            StoreFile file(env->dataFolder() + u"kvtl.db"_s, StoreFile::Build::Nothing);
            Sql::run(file.db(), u"DROP TABLE Suppliers"_s);
        }
        TConfig config;
        TDM dm(config, scriptedAnswers({std::nullopt}));
        QCOMPARE(askedFolders, QStringList{env->dataFolder()});
        QVERIFY(dm.connected());
        dm.OpenTable(dm.tblProducts);
        QVERIFY(dm.tblProducts.active());
        try {
            dm.OpenTable(dm.tblSuppliers);
            QFAIL("a missing table opened");
        } catch (const EDBEngineError &error) {
            QCOMPARE(error.message(), u"Database Engine Error # 11010 Table 'Suppliers' does not exist"_s);
        }
    }

    void aMissingUsersTableIsReportedAtStartAndAtShutdown()
    {
        CreateDataFolder(env->dataFolder(), false);
        {
            StoreFile file(env->dataFolder() + u"kvtl.db"_s, StoreFile::Build::Nothing);
            Sql::run(file.db(), u"DROP TABLE Users"_s);
        }
        TConfig config;
        const QString missing = u"Database Engine Error # 11010 Table 'Users' does not exist"_s;
        {
            TDM dm(config, scriptedAnswers({}));
            QVERIFY(askedFolders.isEmpty());
            QCOMPARE(env->dialogs().shownTexts(), QStringList{missing});
        }
        QCOMPARE(env->dialogs().shownTexts(), (QStringList{missing, missing}));
    }

    void theDialogComesBackUntilAFolderHoldsTheData()
    {
        const QString empty = env->root() + u"empty/"_s;
        const QString good = env->root() + u"shop/"_s;
        QDir().mkpath(empty);
        CreateDataFolder(good, false);
        TConfig config;
        TDM dm(config, scriptedAnswers({empty, good}));
        QCOMPARE(askedFolders, (QStringList{env->dataFolder(), empty}));
        QCOMPARE(config.DataPath, good);
        QVERIFY(dm.connected());
        QFile userIni(config.UserIniFile);
        QVERIFY(userIni.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(userIni.readAll()).contains(u"DataPath="_s + good));
    }

    void withoutADatabaseFileNothingIsCreated()
    {
        TConfig config;
        TDM dm(config, scriptedAnswers({std::nullopt}));
        QVERIFY(!dm.connected());
        QVERIFY(!QFile::exists(env->dataFolder() + u"kvtl.db"_s));
        QVERIFY_THROWS_EXCEPTION(EDBEngineError, dm.OpenTable(dm.tblSales));
    }

    void aSecondTillWaitsForTheFirst()
    {
        const QString file = env->dataFolder() + u"kvtl.db"_s;
        StoreFile first(file);
        std::atomic<bool> writing = false;
        QString secondResult;
        Sql::run(first.db(), u"BEGIN IMMEDIATE"_s);
        Sql::run(first.db(), u"INSERT INTO Stores (StoreID, Name) VALUES ('S1', 'First')"_s);
        std::thread second([&] {
            StoreFile till(file, StoreFile::Build::Nothing, 10000);
            writing = true;
            try {
                Sql::run(till.db(), u"INSERT INTO Stores (StoreID, Name) VALUES ('S2', 'Second')"_s);
                secondResult = u"stored"_s;
            } catch (const EDBEngineError &error) {
                secondResult = error.message();
            }
        });
        while (!writing)
            std::this_thread::yield();
        QTest::qSleep(200);
        Sql::run(first.db(), u"COMMIT"_s);
        second.join();
        QCOMPARE(secondResult, u"stored"_s);
        QCOMPARE(Sql::scalar(first.db(), u"SELECT count(*) FROM Stores"_s).toInt(), 2);
    }

    void aTillThatWaitsTooLongIsDeniedAccess()
    {
        const QString file = env->dataFolder() + u"kvtl.db"_s;
        StoreFile first(file);
        StoreFile second(file, StoreFile::Build::Nothing, 50);
        Sql::run(first.db(), u"BEGIN IMMEDIATE"_s);
        try {
            Sql::run(second.db(), u"INSERT INTO Stores (StoreID, Name) VALUES ('S2', 'Second')"_s, {}, u"Stores"_s);
            QFAIL("the write went through a held lock");
        } catch (const EDBEngineError &error) {
            QCOMPARE(error.message(), u"Database Engine Error # 11013 Access denied to table 'Stores'"_s);
        }
        Sql::run(first.db(), u"ROLLBACK"_s);
    }
};

QTEST_GUILESS_MAIN(TestDM)
#include "tst_dm.moc"
