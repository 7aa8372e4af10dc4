#include "config/SystemHelpers.h"

#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QByteArray contents(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void makeFile(const QString &fileName)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
}
}

class TestSystemHelpers : public QObject
{
    Q_OBJECT

private slots:
    void windowsUserName_data()
    {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << u"cashier"_s << u"cashier"_s;
        QTest::newRow("blanks around") << u"  ann  "_s << u"ann"_s;
        QTest::newRow("blanks only") << u"   "_s << u"Blank"_s;
        QTest::newRow("29 characters") << QString(29, u'x') << QString(29, u'x');
        QTest::newRow("30 characters") << QString(30, u'x') << u"Error"_s;
        QTest::newRow("not known") << QString() << u"Error"_s;
    }

    void windowsUserName()
    {
        QFETCH(QString, login);
        QFETCH(QString, expected);
        TestEnvironment env;
        env.system().user = login;
        QCOMPARE(WindowsUserName(), expected);
    }

    void appendLineAddsLinesWithCarriageReturns()
    {
        TestEnvironment env;
        const QString fileName = env.root() + u"Errors.log"_s;
        QVERIFY(AppendLine(fileName, u"first"_s));
        QVERIFY(AppendLine(fileName, u"zweite Zeile: ä"_s));
        QCOMPARE(contents(fileName), "first\r\nzweite Zeile: \xC3\xA4\r\n");
        QVERIFY(env.dialogs().shown.isEmpty());
    }

    void appendLineReportsAFileItCannotWrite()
    {
        TestEnvironment env;
        makeFile(env.root() + u"plain"_s);
        // The parent is a file, so even root cannot create it.
        const QString fileName = env.root() + u"plain/Errors.log"_s;
        QVERIFY(!AppendLine(fileName, u"line"_s));
        QCOMPARE(env.dialogs().shown.size(), 1);
        QCOMPARE(env.dialogs().shown.first().title, u"Access Error"_s);
        QCOMPARE(env.dialogs().lastText(), u"Could not access "_s + fileName);
    }

    void specialFolderIsTheDataHome()
    {
        TestEnvironment env;
        QCOMPARE(SpecialFolder(FolderKind::ApplicationData), env.root() + u"share/"_s);
        env.system().dataHome = env.root() + u"other"_s;
        QCOMPARE(SpecialFolder(FolderKind::ApplicationData), env.root() + u"other/"_s);
        env.system().dataHome.clear();
        QCOMPARE(SpecialFolder(FolderKind::ApplicationData), QString());
    }

    void windowsFolderIsTheHomeFolder()
    {
        TestEnvironment env;
        const auto restoreHome = qScopeGuard([previous = qgetenv("HOME")] { qputenv("HOME", previous); });
        qputenv("HOME", (env.root() + u"home"_s).toUtf8());
        QCOMPARE(WindowsFolder(), env.root() + u"home"_s);
        QDir().mkpath(env.root() + u"home"_s);
        QCOMPARE(WindowsFolder(), env.root() + u"home/"_s);
    }

    void tempFileNames()
    {
        TestEnvironment env;
        QCOMPARE(TempFolder(), env.root() + u"tmp/"_s);
        const QString first = TempFileName(0);
        const QString second = TempFileName(0);
        QVERIFY(first.startsWith(env.root() + u"tmp/_TC"_s));
        QVERIFY(QFile::exists(first));
        QVERIFY(QFile::exists(second));
        QVERIFY(first != second);
        QCOMPARE(TempFileName(0x1a2b), env.root() + u"tmp/_TC1A2B.tmp"_s);
    }

    void listFileNamesGivesTitles()
    {
        TestEnvironment env;
        const QString folder = env.root() + u"lists/"_s;
        QDir().mkpath(folder + u"Sub.TXT"_s);
        for (const QString &name : {u"Discounts.txt"_s, u"Coupons.txt"_s, u"Other.dat"_s, u".hidden.txt"_s})
            makeFile(folder + name);
        QStringList titles = ListFileNames(folder, u"*.txt"_s).split(u"\r\n"_s);
        titles.sort();
        QCOMPARE(titles, (QStringList{u".hidden"_s, u"Coupons"_s, u"Discounts"_s, u"Sub"_s}));
        QCOMPARE(ListFileNames(folder, u"*.none"_s), QString());
        QCOMPARE(ListFileNames(env.root(), u"lists/Other.*"_s), u"Other"_s);
    }

    void fileTitle_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("backslash path") << u"Reports\\rSale.frf"_s << u"rSale"_s;
        QTest::newRow("slash path") << u"/opt/kvtl/Reports/rSale.frf"_s << u"rSale"_s;
        QTest::newRow("no extension") << u"/opt/kvtl.d/README"_s << u"README"_s;
        QTest::newRow("two extensions") << u"backup.tar.gz"_s << u"backup.tar"_s;
        QTest::newRow("extension text earlier") << u"a.b.b"_s << u"a"_s;
    }

    void fileTitle()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(FileTitle(path), expected);
    }

    void normalizeFolder_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("blanks, no separator") << u"  /srv/kvtl  "_s << u"/srv/kvtl/"_s;
        QTest::newRow("has separator") << u"/srv/kvtl/"_s << u"/srv/kvtl/"_s;
        QTest::newRow("empty") << QString() << u"/"_s;
    }

    void normalizeFolder()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(NormalizeFolder(text), expected);
    }

    void openInBrowser_data()
    {
        QTest::addColumn<bool>("ask");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("shellSucceeds");
        QTest::addColumn<bool>("expected");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("opened");
        const QString question = u"Connect to the Internet now?"_s;
        const QString failure = u"Could not start your Internet browser"_s;
        QTest::newRow("without asking") << false << int(Dialogs::NoButton) << true << true << QStringList() << 1;
        QTest::newRow("asked, yes") << true << int(Dialogs::Yes) << true << true << QStringList{question} << 1;
        QTest::newRow("asked, no") << true << int(Dialogs::No) << true << false << QStringList{question} << 0;
        QTest::newRow("launch fails") << false << int(Dialogs::NoButton) << false << false << QStringList{failure} << 1;
    }

    void openInBrowser()
    {
        QFETCH(bool, ask);
        QFETCH(int, answer);
        QFETCH(bool, shellSucceeds);
        QFETCH(bool, expected);
        QFETCH(QStringList, shown);
        QFETCH(int, opened);
        TestEnvironment env;
        env.shell().succeed = shellSucceeds;
        if (answer != Dialogs::NoButton)
            env.dialogs().answers.enqueue(static_cast<Dialogs::Button>(answer));
        QCOMPARE(OpenInBrowser(u"mailto:support@example.com"_s, ask), expected);
        QCOMPARE(env.dialogs().shownTexts(), shown);
        QCOMPARE(env.shell().urls.size(), opened);
        if (!shellSucceeds)
            QCOMPARE(env.dialogs().shown.first().title, u"Launch Error"_s);
    }

    void launchersHandTheFileToTheShell()
    {
        TestEnvironment env;
        QVERIFY(LaunchFile(u"/tmp/report.pdf"_s));
        QVERIFY(LaunchFileWithParams(u"editor"_s, u"-n \"Errors log.txt\""_s));
        QCOMPARE(env.shell().files, QStringList{u"/tmp/report.pdf"_s});
        QCOMPARE(env.shell().programs, QStringList{u"editor -n Errors log.txt"_s});
        QVERIFY(env.dialogs().shown.isEmpty());
    }

    void launchersReportAFailure()
    {
        TestEnvironment env;
        env.shell().succeed = false;
        QVERIFY(!LaunchFile(u"/tmp/report.pdf"_s));
        QVERIFY(!LaunchFileWithParams(u"editor"_s, u"x"_s));
        QCOMPARE(env.dialogs().shownTexts(),
                 (QStringList{u"Could not launch /tmp/report.pdf"_s, u"Could not launch editor"_s}));
        QCOMPARE(env.dialogs().shown.first().title, u"Launch Error"_s);
        QCOMPARE(env.dialogs().shown.last().title, u"Launch Error"_s);
    }
};

QTEST_GUILESS_MAIN(TestSystemHelpers)
#include "tst_systemhelpers.moc"
