#include "app/Application.h"
#include "app/Help.h"
#include "app/HelpIndex.h"
#include "app/HelpWindow.h"
#include "platform/DesktopShell.h"

#include "TestEnvironment.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

using namespace Qt::StringLiterals;

// The help: the index read from a folder of numbered pages, the pages shipped
// with the program, and the help window's contents and keyword search.
class TestHelp : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;

    QString helpFolder() const { return m_env->root() + u"help/"_s; }

    void writePage(const QString &name, const QString &title, const QString &keywords, const QString &body = {})
    {
        QFile file(helpFolder() + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(u"<html><head><title>%1</title><meta name=\"keywords\" content=\"%2\"></head><body>%3</body></html>"_s
                       .arg(title, keywords, body)
                       .toUtf8());
    }

    void writeSampleHelp()
    {
        QVERIFY(QDir().mkpath(helpFolder()));
        writePage(u"130.html"_s, u"The control panel"_s, u"buttons, Login, security"_s,
                  u"<a href=\"10.html\">About</a> <a href=\"https://www.kestrelvane.example\">web</a>"_s);
        writePage(u"10.html"_s, u"About\n  the program"_s, u"version, login"_s);
        writePage(u"notes.html"_s, u"Not a topic"_s, u"ignored"_s);
    }

    static QStringList texts(const QListWidget *list)
    {
        QStringList result;
        for (int row = 0; row < list->count(); ++row)
            result.append(list->item(row)->text());
        return result;
    }

    static HelpWindow *shownHelpWindow()
    {
        for (QWidget *widget : QApplication::allWidgets())
            if (auto *window = qobject_cast<HelpWindow *>(widget); window && window->isVisible())
                return window;
        return nullptr;
    }

    static QListWidget *list(const HelpWindow &window, const QString &name)
    {
        return window.findChild<QListWidget *>(name);
    }

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        writeSampleHelp();
    }
    void cleanup() { m_env.reset(); }

    void theIndexReadsTitlesAndKeywordsOfTheNumberedPages()
    {
        const HelpIndex index(helpFolder());
        QCOMPARE(index.topics().size(), 2);
        QCOMPARE(index.topics()[0].number, 10);
        QCOMPARE(index.topics()[0].title, u"About the program"_s);
        QCOMPARE(index.topics()[1].keywords, (QStringList{u"buttons"_s, u"Login"_s, u"security"_s}));
        // A keyword spelt two ways is listed once, as the first topic spells it.
        QCOMPARE(index.keywords(), (QStringList{u"buttons"_s, u"login"_s, u"security"_s, u"version"_s}));
        QCOMPARE(index.topicsWithKeyword(u"LOGIN"_s).size(), 2);
        QVERIFY(!index.topic(40));
    }

    void theShippedHelpHasTheTopicsTheProgramOpens_data()
    {
        QTest::addColumn<QString>("helpFile");
        QTest::addColumn<int>("topic");
        const QString program = QCoreApplication::applicationDirPath() + u'/';
        QTest::newRow("about box") << ProgramHelpFile(program) << 10;
        QTest::newRow("control panel") << ProgramHelpFile(program) << 130;
        QTest::newRow("other products") << OtherProductsHelpFile(program) << 40;
    }

    void theShippedHelpHasTheTopicsTheProgramOpens()
    {
        QFETCH(QString, helpFile);
        QFETCH(int, topic);
        const HelpIndex index(helpFile);
        const HelpTopic *page = index.topic(topic);
        QVERIFY(page);
        QVERIFY(!page->title.isEmpty());
        QVERIFY(!page->keywords.isEmpty());
    }

    void theWindowShowsATopicAndMarksItInTheContents()
    {
        HelpWindow window;
        window.showTopic(helpFolder(), 130);
        QCOMPARE(window.currentTopic(), 130);
        QCOMPARE(window.windowTitle(), u"The control panel - Kestrelvane Point of Sale Help"_s);
        QListWidget *contents = list(window, u"lstContents"_s);
        QCOMPARE(texts(contents), (QStringList{u"About the program"_s, u"The control panel"_s}));
        QCOMPARE(contents->currentRow(), 1);
    }

    void aMissingTopicOrHelpFileIsSaidInTheWindow()
    {
        HelpWindow window;
        window.showTopic(helpFolder(), 999);
        QCOMPARE(window.currentTopic(), -1);
        QVERIFY(window.findChild<QTextBrowser *>(u"Page"_s)->toPlainText().contains(u"The help topic 999 is not in"_s));
        window.showTopic(m_env->root() + u"nowhere/"_s, 130);
        QVERIFY(window.findChild<QTextBrowser *>(u"Page"_s)->toPlainText().contains(u"could not be found"_s));
        QVERIFY(list(window, u"lstContents"_s)->count() == 0);
        QVERIFY(m_env->dialogs().shown.isEmpty());
    }

    void theContentsOpenTheFirstTopicAndTheirItems()
    {
        HelpWindow window;
        window.showContents(helpFolder());
        QCOMPARE(window.findChild<QTabWidget *>(u"Tabs"_s)->currentIndex(), 0);
        QCOMPARE(window.currentTopic(), 10);
        QListWidget *contents = list(window, u"lstContents"_s);
        emit contents->itemActivated(contents->item(1));
        QCOMPARE(window.currentTopic(), 130);
    }

    void theKeywordSearchListsMatchingWordsAndTheirTopics()
    {
        HelpWindow window;
        window.showSearch(helpFolder(), QString());
        QCOMPARE(window.findChild<QTabWidget *>(u"Tabs"_s)->currentIndex(), 1);
        QCOMPARE(texts(list(window, u"lstKeywords"_s)).size(), 4);
        window.findChild<QLineEdit *>(u"edtKeyword"_s)->setText(u"lo"_s);
        QCOMPARE(texts(list(window, u"lstKeywords"_s)), QStringList{u"login"_s});
        QListWidget *found = list(window, u"lstTopicsFound"_s);
        QCOMPARE(texts(found), (QStringList{u"About the program"_s, u"The control panel"_s}));
        emit found->itemActivated(found->item(1));
        QCOMPARE(window.currentTopic(), 130);
    }

    void theDesktopOpensOneHelpWindowThatBelongsToTheModalScreen()
    {
        DesktopShell desktop;
        desktop.showHelpTopic(helpFolder(), 130);
        const QPointer<HelpWindow> first = shownHelpWindow();
        QVERIFY(first);
        QCOMPARE(first->currentTopic(), 130);
        QCOMPARE(first->parentWidget(), nullptr);

        QDialog screen;
        screen.setModal(true);
        screen.show();
        desktop.searchHelp(helpFolder(), u"version"_s);
        QCOMPARE(shownHelpWindow(), first.get());
        QCOMPARE(first->parentWidget(), &screen);
        QVERIFY(first->isWindow());
        desktop.showHelpContents(helpFolder());
        QCOMPARE(first->findChild<QTabWidget *>(u"Tabs"_s)->currentIndex(), 0);
        screen.close();
    }

    void linksOpenPagesInsideAndAddressesOutside()
    {
        HelpWindow window;
        window.showTopic(helpFolder(), 130);
        QTextBrowser *page = window.findChild<QTextBrowser *>(u"Page"_s);
        emit page->anchorClicked(QUrl(u"https://www.kestrelvane.example"_s));
        QCOMPARE(m_env->shell().urls, QStringList{u"https://www.kestrelvane.example"_s});
        emit page->anchorClicked(QUrl(u"10.html"_s));
        QCOMPARE(window.currentTopic(), 10);
        page->backward();
        QCOMPARE(window.currentTopic(), 130);
    }
};

int main(int argc, char **argv)
{
    Application app(argc, argv);
    TestHelp test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_help.moc"
