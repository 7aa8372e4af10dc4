#include "config/Config.h"
#include "config/IniFile.h"
#include "platform/AppError.h"

#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QScopeGuard>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {
void writeFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray contents(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString userIni(const TestEnvironment &env)
{
    return env.userFolder() + u"KVTL.ini"_s;
}

QString storeIni(const TestEnvironment &env)
{
    return env.dataFolder() + u"KVTL.ini"_s;
}
}

class TestConfig : public QObject
{
    Q_OBJECT

private:
    QLocale m_startLocale;

private slots:
    void initTestCase() { m_startLocale = QLocale(); }
    void cleanup() { QLocale::setDefault(m_startLocale); }

    void firstRunUsesTheDefaults()
    {
        TestEnvironment env;
        QDir(env.dataFolder()).removeRecursively();
        TConfig config;
        QCOMPARE(config.ProgramPath, env.system().program);
        QCOMPARE(config.UserPath, env.userFolder());
        QCOMPARE(config.UserIniFile, userIni(env));
        QCOMPARE(config.DataPath, env.dataFolder());
        QVERIFY(QDir(env.dataFolder()).exists());
        QCOMPARE(config.IPAddr, u"127.0.0.1"_s);
        QCOMPARE(config.ShowTips, true);
        QCOMPARE(config.StartingTip, quint16(1));
        QCOMPARE(config.LastLoginID, u"Administrator"_s);
        QCOMPARE(config.CurrentLoginID, QString());
        QCOMPARE(config.SecurityLevel, QChar(0));
        QCOMPARE(config.Language, QString());
        QCOMPARE(config.TaxRate, 0.0);
        QCOMPARE(config.Float, 0.0);
        QCOMPARE(config.PrintPreview, true);
        QCOMPARE(config.PromptEmployeeOnNewWO, false);
        QCOMPARE(config.UseInventoryTracking, false);
        QCOMPARE(config.StoreID, QString());
    }

    void isTheProgramWideInstanceWhileItLives()
    {
        TestEnvironment env;
        {
            auto first = std::make_unique<TConfig>();
            TConfig second;
            QCOMPARE(&TConfig::instance(), &second);
            first.reset();
            QCOMPARE(&TConfig::instance(), &second);
        }
        QVERIFY_THROWS_EXCEPTION(std::logic_error, TConfig::instance());
    }

    void dataFolderBesideTheProgramWins()
    {
        TestEnvironment env;
        env.system().program = env.root() + u"program/"_s;
        QDir().mkpath(env.root() + u"program/Data"_s);
        writeFile(userIni(env), "[Options]\nDataPath=/srv/elsewhere/\n");
        TConfig config;
        QCOMPARE(config.DataPath, env.root() + u"program/Data/"_s);
        config.SaveUserSettings();
        QVERIFY(contents(userIni(env)).contains(QByteArray("DataPath=" + env.root().toUtf8() + "program/Data/\n")));
    }

    void dataPathFromTheUserFile_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("blanks, no separator") << QByteArray("  @store  ") << u"@store/"_s;
        QTest::newRow("quoted blanks") << QByteArray("\"  @store\"") << u"@store/"_s;
        QTest::newRow("empty") << QByteArray() << u"/"_s;
    }

    void dataPathFromTheUserFile()
    {
        QFETCH(QByteArray, value);
        QFETCH(QString, expected);
        TestEnvironment env;
        const QByteArray root = env.root().toUtf8();
        writeFile(userIni(env), "[Options]\r\nDataPath=" + value.replace('@', root) + "\r\n");
        TConfig config;
        QCOMPARE(config.DataPath, expected.replace(u'@', env.root()));
        QVERIFY(QDir(config.DataPath).exists());
    }

    void userSettingsRead_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("ipAddr");
        QTest::addColumn<int>("startingTip");
        QTest::addColumn<bool>("showTips");
        QTest::addColumn<QString>("lastLoginID");
        QTest::newRow("all given")
            << QByteArray("[Options]\nIPAddr=10.0.0.5\n[Defaults]\nShowTips=0\nStartingTip=12\nLastLoginID=anna\n")
            << u"10.0.0.5"_s << 12 << false << u"anna"_s;
        QTest::newRow("empty values")
            << QByteArray("[Options]\nIPAddr=\n[Defaults]\nLastLoginID=\n") << u"127.0.0.1"_s << 1 << true << QString();
        QTest::newRow("low 16 bits") << QByteArray("[Defaults]\nStartingTip=70000\n") << u"127.0.0.1"_s << 4464
                                     << true << u"Administrator"_s;
        QTest::newRow("hexadecimal, any non-zero is true")
            << QByteArray("[defaults]\nstartingtip=0x1F\nSHOWTIPS=-3\n") << u"127.0.0.1"_s << 31 << true
            << u"Administrator"_s;
        QTest::newRow("unreadable numbers")
            << QByteArray("[Defaults]\nStartingTip=12abc\nShowTips=no\n") << u"127.0.0.1"_s << 1 << true
            << u"Administrator"_s;
        QTest::newRow("keys of another section")
            << QByteArray("[Other]\nIPAddr=10.9.9.9\nStartingTip=5\n") << u"127.0.0.1"_s << 1 << true
            << u"Administrator"_s;
    }

    void userSettingsRead()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, ipAddr);
        QFETCH(int, startingTip);
        QFETCH(bool, showTips);
        QFETCH(QString, lastLoginID);
        TestEnvironment env;
        writeFile(userIni(env), file);
        TConfig config;
        QCOMPARE(config.IPAddr, ipAddr);
        QCOMPARE(config.StartingTip, quint16(startingTip));
        QCOMPARE(config.ShowTips, showTips);
        QCOMPARE(config.LastLoginID, lastLoginID);
    }

    void savedLoginIsTheLoginOfThisRun_data()
    {
        QTest::addColumn<QString>("login");
        QTest::newRow("nobody logged in") << QString();
        QTest::newRow("bob logged in") << u"bob"_s;
    }

    void savedLoginIsTheLoginOfThisRun()
    {
        QFETCH(QString, login);
        TestEnvironment env;
        writeFile(userIni(env), "[Defaults]\nLastLoginID=anna\n");
        {
            TConfig config;
            config.CurrentLoginID = login;
            config.Save();
        }
        TConfig next;
        QCOMPARE(next.LastLoginID, login);
    }

    void storeOptionsRoundTrip()
    {
        TestEnvironment env;
        {
            TConfig config;
            config.TaxRate = 0.07;
            config.Float = 150.5;
            config.PrintPreview = false;
            config.PromptEmployeeOnNewWO = true;
            config.UseInventoryTracking = true;
            config.StoreID = u"S01"_s;
            config.StoreName = u"Corner Shop"_s;
            config.StoreLocation = u"High Street 4"_s;
            config.SaveStoreOptions();
        }
        QCOMPARE(contents(storeIni(env)),
                 "[Options]\nTaxRate=0.07\nFloat=150.5\nPrintPreview=0\nPromptEmployeeOnNewWO=1\n"
                 "UseInventoryTracking=1\nStoreID=S01\nStoreName=Corner Shop\nStoreLocation=High Street 4\n");
        TConfig next;
        QCOMPARE(next.TaxRate, 0.07);
        QCOMPARE(next.Float, 150.5);
        QCOMPARE(next.PrintPreview, false);
        QCOMPARE(next.PromptEmployeeOnNewWO, true);
        QCOMPARE(next.UseInventoryTracking, true);
        QCOMPARE(next.StoreID, u"S01"_s);
        QCOMPARE(next.StoreName, u"Corner Shop"_s);
        QCOMPARE(next.StoreLocation, u"High Street 4"_s);
    }

    void rateWrittenWithACommaReadsAsZeroUnderAPoint()
    {
        TestEnvironment env;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        {
            TConfig config;
            config.TaxRate = 0.07;
            config.SaveStoreOptions();
        }
        QVERIFY(contents(storeIni(env)).contains("TaxRate=0,07\n"));
        QCOMPARE(TConfig().TaxRate, 0.07);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(TConfig().TaxRate, 0.0);
    }

    void writingLeavesEveryOtherLineAlone()
    {
        TestEnvironment env;
        const QByteArray before = "; kept comment\r\n"
                                  "[Printer]\r\n"
                                  "Name = Receipt\r\n"
                                  "\r\n"
                                  "[OPTIONS]\r\n"
                                  "taxrate=0.5\r\n"
                                  "Unknown=keep me\r\n"
                                  "\r\n"
                                  "[Later]\r\n"
                                  "StoreID=not this one\r\n";
        writeFile(storeIni(env), before);
        TConfig config;
        QCOMPARE(config.TaxRate, 0.5);
        config.TaxRate = 0.25;
        config.StoreID = u"S02"_s;
        config.SaveStoreOptions();
        const QByteArray after = "; kept comment\r\n"
                                 "[Printer]\r\n"
                                 "Name = Receipt\r\n"
                                 "\r\n"
                                 "[OPTIONS]\r\n"
                                 "taxrate=0.25\r\n"
                                 "Unknown=keep me\r\n"
                                 "Float=0\r\n"
                                 "PrintPreview=1\r\n"
                                 "PromptEmployeeOnNewWO=0\r\n"
                                 "UseInventoryTracking=0\r\n"
                                 "StoreID=S02\r\n"
                                 "StoreName=\r\n"
                                 "StoreLocation=\r\n"
                                 "\r\n"
                                 "[Later]\r\n"
                                 "StoreID=not this one\r\n";
        QCOMPARE(contents(storeIni(env)), after);
    }

    void iniFileAddsAMissingSectionAtTheEnd()
    {
        TestEnvironment env;
        const QString fileName = env.root() + u"test.ini"_s;
        writeFile(fileName, "[First]\nA=1");
        IniFile ini(fileName);
        ini.writeInteger(u"second"_s, u"B"_s, -7);
        ini.writeString(u"FIRST"_s, u"a"_s, u"2"_s);
        ini.writeString(u"First"_s, u"Name"_s, u"x\r\n[second]\nB=1"_s);
        ini.save();
        QCOMPARE(contents(fileName), "[First]\nA=2\nName=x  [second] B=1\n\n[second]\nB=-7\n");
        QCOMPARE(IniFile(fileName).readInteger(u"Second"_s, u"b"_s, 0), -7);
    }

    void unwritableFileRaisesItsName()
    {
        TestEnvironment env;
        // The parent is a file, so even root cannot write there.
        writeFile(env.root() + u"plain"_s, "x");
        TConfig config;
        config.DataPath = env.root() + u"plain/store/"_s;
        try {
            config.Save();
            QFAIL("the write succeeded");
        } catch (const AppError &error) {
            QCOMPARE(error.message(), u"Unable to write to "_s + env.root() + u"plain/store/KVTL.ini"_s);
        }
    }

    void destructionWritesNothing()
    {
        TestEnvironment env;
        {
            TConfig config;
            config.TaxRate = 0.1;
        }
        QVERIFY(!QFile::exists(storeIni(env)));
        QVERIFY(!QFile::exists(userIni(env)));
    }

    void withoutAnApplicationDataFolderTheHomeFolderServes_data()
    {
        QTest::addColumn<bool>("homeExists");
        QTest::newRow("home folder there") << true;
        QTest::newRow("home folder missing") << false;
    }

    void withoutAnApplicationDataFolderTheHomeFolderServes()
    {
        QFETCH(bool, homeExists);
        TestEnvironment env;
        const auto restoreHome = qScopeGuard([previous = qgetenv("HOME")] { qputenv("HOME", previous); });
        const QString home = env.root() + u"home/"_s;
        if (homeExists)
            QDir().mkpath(home);
        qputenv("HOME", home.toUtf8());
        env.system().dataHome.clear();
        {
            TConfig config;
            QCOMPARE(config.UserPath, home);
            QCOMPARE(config.UserIniFile, home + u"KVTL.ini"_s);
            QCOMPARE(config.DataPath, home + u"Kestrelvane/KVTL/"_s);
            QVERIFY(QDir(config.DataPath).exists());
            QVERIFY(QDir(config.UserPath).exists());
        }
    }
};

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
