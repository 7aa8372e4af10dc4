#include "app/FlagFile.h"
#include "app/SDB.h"
#include "app/Secure.h"
#include "platform/AppError.h"

#include "TestEnvironment.h"

#include <QFile>
#include <QTest>

// The security flag file: one 6-byte record (length 4, "1.00", flag byte)
// read and written through TSDB.
class TestFlagFile : public QObject
{
    Q_OBJECT

    static QByteArray record(const char *version, char flag)
    {
        return QByteArray(1, 4) + QByteArray(version, 4) + QByteArray(1, flag);
    }

    QString flagFile() const { return FlagFileName(m_env->dataFolder()); }

    void writeFlagFile(const QByteArray &bytes) const
    {
        QFile file(flagFile());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    QByteArray flagFileBytes() const
    {
        QFile file(flagFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::unique_ptr<TestEnvironment> m_env;

private slots:
    void init() { m_env = std::make_unique<TestEnvironment>(); }
    void cleanup() { m_env.reset(); }

    void aMissingFileIsCreatedWithSecurityOff()
    {
        EnsureFlagFile(m_env->dataFolder());
        QCOMPARE(flagFileBytes(), record("1.00", 0));
        QCOMPARE(flagFile(), m_env->dataFolder() + QStringLiteral("kvtl.obj"));
    }

    void anExistingFileIsLeftAlone()
    {
        writeFlagFile(record("2.50", 1));
        EnsureFlagFile(m_env->dataFolder());
        QCOMPARE(flagFileBytes(), record("2.50", 1));
    }

    void theFlagByteSwitchesSecurity_data()
    {
        QTest::addColumn<char>("flag");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("0 off") << char(0) << false;
        QTest::newRow("1 on") << char(1) << true;
        QTest::newRow("any other value on") << char(0x7f) << true;
    }

    void theFlagByteSwitchesSecurity()
    {
        QFETCH(char, flag);
        QFETCH(bool, enabled);
        writeFlagFile(record("1.00", flag));
        TSecure secure;
        LoadFlag(secure, m_env->dataFolder());
        QCOMPARE(secure.Enabled, enabled);
    }

    void aShortFileKeepsTheRestOfTheRecord_data()
    {
        QTest::addColumn<char>("flagBefore");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("off at start-up") << char(0) << false;
        QTest::newRow("on from an earlier read") << char(1) << true;
    }

    void aShortFileKeepsTheRestOfTheRecord()
    {
        QFETCH(char, flagBefore);
        QFETCH(bool, enabled);
        writeFlagFile(QByteArray("\x04" "2.", 3));
        TSecure secure;
        secure.Record[5] = flagBefore;
        LoadFlag(secure, m_env->dataFolder());
        QCOMPARE(secure.Enabled, enabled);
        QCOMPARE(QByteArray(secure.Record.data(), 6), QByteArray("\x04" "2.00", 5) + QByteArray(1, flagBefore));
    }

    void savingRewritesTheFlagInPlace_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<char>("written");
        QTest::newRow("switched on") << true << char(1);
        QTest::newRow("switched off") << false << char(0);
    }

    void savingRewritesTheFlagInPlace()
    {
        QFETCH(bool, enabled);
        QFETCH(char, written);
        const QByteArray secondRecord("second", 6);
        writeFlagFile(record("1.07", 9) + secondRecord);
        TSecure secure;
        secure.Enabled = enabled;
        SaveFlag(secure, m_env->dataFolder());
        QCOMPARE(flagFileBytes(), record("1.07", written) + secondRecord);
    }

    void savingAfterTheFileWasDeletedWritesTheWholeRecordReadAtStartUp()
    {
        writeFlagFile(record("2.00", 0));
        TSecure secure;
        EnsureFlagFile(m_env->dataFolder());
        LoadFlag(secure, m_env->dataFolder());
        QVERIFY(QFile::remove(flagFile()));
        secure.Enabled = true;
        SaveFlag(secure, m_env->dataFolder());
        QCOMPARE(flagFileBytes(), record("2.00", 1));
    }

    void aRecordFileCountsItsWholeRecords()
    {
        writeFlagFile(QByteArray(13, 'x'));
        FlagRecord buffer{};
        TSDB file;
        file.OpenFile(buffer.data(), flagFile(), true, 6);
        QCOMPARE(file.RecordCount(), qint64(2));
        QCOMPARE(file.FileName(), flagFile());
        QCOMPARE(file.RecordSize(), 6);
        QCOMPARE(QByteArray(buffer.data(), 6), QByteArray(6, 'x'));
    }

    void aMissingRecordFileIsCreatedEmptyAndWrittenFromItsStart()
    {
        FlagRecord buffer{'a', 'b', 'c', 'd', 'e', 'f'};
        TSDB file;
        file.OpenFile(buffer.data(), flagFile(), false, 6);
        QCOMPARE(file.RecordCount(), qint64(0));
        QCOMPARE(QByteArray(buffer.data(), 6), QByteArray("abcdef"));
        QVERIFY(QFile::exists(flagFile()));
        QCOMPARE(flagFileBytes(), QByteArray());
        file.WriteRecord(buffer.data());
        file.CloseFile();
        QCOMPARE(flagFileBytes(), QByteArray("abcdef"));
    }

    void aFileThatCannotBeOpenedRaisesAnError()
    {
        const QString fileName = m_env->root() + QStringLiteral("no such folder/kvtl.obj");
        FlagRecord buffer{};
        TSDB file;
        try {
            file.OpenFile(buffer.data(), fileName, true, 6);
            QFAIL("no error was raised");
        } catch (const AppError &error) {
            QCOMPARE(error.message(), QStringLiteral("Cannot open ") + fileName);
        }
    }
};

QTEST_GUILESS_MAIN(TestFlagFile)
#include "tst_flagfile.moc"
