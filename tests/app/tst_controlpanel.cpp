#include "app/Application.h"
#include "app/FlagFile.h"
#include "app/Help.h"
#include "app/ScreenTable.h"
#include "app/Secure.h"
#include "app/fMain.h"
#include "config/Config.h"
#include "platform/AppError.h"

#include "TestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <map>

using namespace Qt::StringLiterals;

namespace {

// What the stand-in screens saw: which commands opened a screen, how many are
// alive, and the shown screen during each showing.
struct ScreenLog
{
    QList<Command> opened;
    int alive = 0;
    bool shownDuringExec = false;
};

// A screen that does not show itself: exec() runs a scripted body instead.
class FakeScreen final : public QDialog
{
public:
    FakeScreen(QWidget *parent, ScreenLog &log, std::function<int()> body)
        : QDialog(parent)
        , m_log(log)
        , m_body(std::move(body))
    {
        ++m_log.alive;
    }
    ~FakeScreen() override { --m_log.alive; }
    int exec() override
    {
        m_log.shownDuringExec = ScreenTable::shownScreen() == this;
        return m_body();
    }

private:
    ScreenLog &m_log;
    std::function<int()> m_body;
};

struct LoginAttempt
{
    bool ok;
    QChar level;
    QString loginID;
};

const QList<Command> screenCommands{
    Command::QuickSale, Command::WorkOrder, Command::PickUp, Command::Refund,
    Command::CashCount, Command::EndOfDay, Command::EndOfWeek, Command::HoursWorked,
    Command::Inventory, Command::Configuration, Command::DataManager, Command::Reports,
    Command::About,
};

QString lackOfRights() { return QStringLiteral("You lack security rights to view this."); }

} // namespace

Q_DECLARE_METATYPE(Command)

// The control panel: its buttons and menus, the rights check, login and
// logout, and the help and web commands, driven headless.
class TestControlPanel : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;
    ScreenLog m_log;
    QList<LoginAttempt> m_logins;
    std::map<Command, std::function<int()>> m_bodies;

    // Every command opens a stand-in screen; the login screen plays the
    // scripted attempts the way the login dialog sets the configuration.
    ScreenTable fakeScreens()
    {
        ScreenTable screens;
        for (Command command : screenCommands)
            screens.add(command, [this, command](QWidget *parent) {
                return std::make_unique<FakeScreen>(parent, m_log, [this, command] {
                    m_log.opened.append(command);
                    const auto body = m_bodies.find(command);
                    return body == m_bodies.end() ? int(QDialog::Accepted) : body->second();
                });
            });
        screens.add(Command::Login, [this](QWidget *parent) {
            return std::make_unique<FakeScreen>(parent, m_log, [this] { return playLogin(); });
        });
        return screens;
    }

    int playLogin()
    {
        m_log.opened.append(Command::Login);
        if (m_logins.isEmpty())
            return QDialog::Rejected;
        const LoginAttempt attempt = m_logins.takeFirst();
        if (!attempt.ok)
            return QDialog::Rejected;
        TConfig::instance().CurrentLoginID = attempt.loginID;
        TConfig::instance().SecurityLevel = attempt.level;
        return QDialog::Accepted;
    }

    void writeFlagFile(char flag) const
    {
        QFile file(FlagFileName(m_env->dataFolder()));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray("\x04" "1.00", 5) + QByteArray(1, flag));
    }

    std::unique_ptr<TfrmMain> panelWithSecurity(bool on)
    {
        writeFlagFile(on ? 1 : 0);
        return std::make_unique<TfrmMain>(fakeScreens());
    }

    static QAction *action(const TfrmMain &panel, const char *name)
    {
        return panel.findChild<QAction *>(QString::fromLatin1(name));
    }

    static QToolButton *button(const TfrmMain &panel, const QString &name)
    {
        return panel.findChild<QToolButton *>(name);
    }

    static void trigger(const TfrmMain &panel, const char *name)
    {
        QAction *item = action(panel, name);
        QVERIFY2(item, name);
        item->trigger();
    }

    static bool menuState(const TfrmMain &panel, bool login, bool logout)
    {
        return action(panel, "Login1")->isEnabled() == login && action(panel, "Logout1")->isEnabled() == logout;
    }

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_log = {};
        m_logins.clear();
        m_bodies.clear();
    }
    void cleanup() { m_env.reset(); }

    void theButtonsStandInThreeColumnsAndFourRows_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        const QString admin = QStringLiteral("Perform administrative functions");
        QTest::newRow("quick sale") << u"btnQuickSale"_s << u"&Quick Sale"_s << u"Enter a quick sale"_s << 1 << 1;
        QTest::newRow("work order") << u"btnWorkOrder"_s << u"Work &Order"_s << u"Enter a workorder"_s << 1 << 2;
        QTest::newRow("pick up") << u"btnPickUp"_s << u"&Pick Up"_s << u"Ring in an existing workorder"_s << 1 << 3;
        QTest::newRow("refund") << u"btnRefund"_s << u"&Refund"_s << QString() << 1 << 4;
        QTest::newRow("cash count") << u"btnCashCount"_s << u"&Cash Count"_s << admin << 2 << 1;
        QTest::newRow("end of day") << u"btnEndOfDay"_s << u"End of &Day"_s << admin << 2 << 2;
        QTest::newRow("end of week") << u"btnEndOfWeek"_s << u"End of &Week"_s << admin << 2 << 3;
        QTest::newRow("hours worked") << u"btnHoursWorked"_s << u"&Hours Worked"_s << admin << 2 << 4;
        QTest::newRow("inventory") << u"btnInventory"_s << u"&Inventory"_s << admin << 3 << 1;
        QTest::newRow("configuration") << u"btnConfig"_s << u"Confi&guration"_s << QString() << 3 << 2;
        QTest::newRow("data manager") << u"btnDataManager"_s << u"Data &Manager"_s << QString() << 3 << 3;
        QTest::newRow("reports") << u"btnReports"_s << u"R&eports"_s << admin << 3 << 4;
    }

    void theButtonsStandInThreeColumnsAndFourRows()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QFETCH(int, column);
        QFETCH(int, row);
        const TfrmMain panel(fakeScreens());
        QToolButton *picture = button(panel, name);
        QVERIFY(picture);
        QCOMPARE(picture->text(), caption);
        QCOMPARE(picture->toolTip(), hint);
        QCOMPARE(picture->size(), QSize(113, 57));
        QCOMPARE(picture->iconSize(), QSize(24, 24));
        QCOMPARE(picture->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QVERIFY(!picture->icon().pixmap(24).isNull());
        auto *grid = qobject_cast<QGridLayout *>(picture->parentWidget()->layout()->itemAt(1)->layout());
        QVERIFY(grid);
        int gridRow = -1, gridColumn = -1, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(grid->indexOf(picture), &gridRow, &gridColumn, &rowSpan, &columnSpan);
        QCOMPARE(gridColumn + 1, column);
        QCOMPARE(gridRow + 1, row);
    }

    void tabMovesThroughTheButtonsInTheirOrder()
    {
        const TfrmMain panel(fakeScreens());
        const QStringList expected{
            u"btnQuickSale"_s, u"btnWorkOrder"_s, u"btnPickUp"_s, u"btnCashCount"_s,
            u"btnEndOfDay"_s, u"btnEndOfWeek"_s, u"btnHoursWorked"_s, u"btnRefund"_s,
            u"btnInventory"_s, u"btnConfig"_s, u"btnDataManager"_s, u"btnReports"_s,
        };
        QStringList order;
        QWidget *widget = button(panel, expected.first());
        while (order.size() < expected.size()) {
            if (qobject_cast<QToolButton *>(widget))
                order.append(widget->objectName());
            widget = widget->nextInFocusChain();
        }
        QCOMPARE(order, expected);
    }

    void altAndTheUnderlinedLetterPressesTheButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Command>("command");
        QTest::newRow("Q quick sale") << int(Qt::Key_Q) << Command::QuickSale;
        QTest::newRow("O work order") << int(Qt::Key_O) << Command::WorkOrder;
        QTest::newRow("P pick up, also the POS menu") << int(Qt::Key_P) << Command::PickUp;
        QTest::newRow("R refund") << int(Qt::Key_R) << Command::Refund;
        QTest::newRow("C cash count") << int(Qt::Key_C) << Command::CashCount;
        QTest::newRow("D end of day") << int(Qt::Key_D) << Command::EndOfDay;
        QTest::newRow("W end of week") << int(Qt::Key_W) << Command::EndOfWeek;
        QTest::newRow("H hours worked, also the Help menu") << int(Qt::Key_H) << Command::HoursWorked;
        QTest::newRow("I inventory") << int(Qt::Key_I) << Command::Inventory;
        QTest::newRow("G configuration") << int(Qt::Key_G) << Command::Configuration;
        QTest::newRow("M data manager") << int(Qt::Key_M) << Command::DataManager;
        QTest::newRow("E reports") << int(Qt::Key_E) << Command::Reports;
    }

    void altAndTheUnderlinedLetterPressesTheButton()
    {
        QFETCH(int, key);
        QFETCH(Command, command);
        TfrmMain panel(fakeScreens());
        panel.show();
        QVERIFY(QTest::qWaitForWindowActive(&panel));
        QVERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);
        QTRY_COMPARE(m_log.opened, QList<Command>{command});
    }

    void aDisabledButtonLeavesItsLetterToTheMenu()
    {
        TfrmMain panel{ScreenTable()};
        panel.show();
        QVERIFY(QTest::qWaitForWindowActive(&panel));
        QTest::keyClick(&panel, Qt::Key_P, Qt::AltModifier);
        QWidget *posMenu = panel.findChild<QMenu *>(u"POS1"_s);
        QTRY_COMPARE(QApplication::activePopupWidget(), posMenu);
        QApplication::activePopupWidget()->close();
    }

    void theMenusHoldEveryItemInOrder_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("POS") << u"POS1"_s << u"&POS"_s
                             << QStringList{u"Quicksale1 &Quick sale"_s, u"Workorderentry1 &Work order entry"_s,
                                            u"Workorderpickup1 Work order &pick up"_s, u"Refund1 &Refund"_s,
                                            u"Cashcount1 &Cash count"_s, u"Endofday1 End of &day"_s,
                                            u"Endofweek1 End of &week"_s, u"Hoursworked1 &Hours worked"_s,
                                            u"Inventory1 &Inventory"_s, u"N3 -"_s, u"Login1 &Login"_s,
                                            u"Logout1 Log&out"_s};
        QTest::newRow("View") << u"View1"_s << u"&View"_s
                              << QStringList{u"Configuration1 &Configuration"_s, u"Datamanager1 &Data manager"_s,
                                             u"Reports1 &Reports"_s};
        QTest::newRow("Help") << u"Help1"_s << u"&Help"_s
                              << QStringList{u"Contents1 &Contents"_s, u"Index1 Keyword &search"_s, u"N1 -"_s,
                                             u"Pointofsaleontheweb1 Point of sale on the web"_s,
                                             u"Kestrelvaneontheweb1 Kestrelvane on the web"_s,
                                             u"Emailfeedback1 &E-mail feedback"_s,
                                             u"OtherKestrelvaneSoftware1 Other Kestrelvane software"_s, u"N2 -"_s,
                                             u"About1 &About"_s};
    }

    void theMenusHoldEveryItemInOrder()
    {
        QFETCH(QString, menu);
        QFETCH(QString, title);
        QFETCH(QStringList, items);
        const TfrmMain panel(fakeScreens());
        QCOMPARE(panel.menuBar()->objectName(), u"MainMenu1"_s);
        const QMenu *found = panel.findChild<QMenu *>(menu);
        QVERIFY(found);
        QCOMPARE(found->title(), title);
        QStringList shown;
        for (const QAction *item : found->actions())
            shown.append(item->objectName() + u' ' + (item->isSeparator() ? u"-"_s : item->text()));
        QCOMPARE(shown, items);
    }

    void aButtonAndItsMenuItemOpenTheSameScreen_data()
    {
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<QString>("itemName");
        QTest::addColumn<Command>("command");
        QTest::newRow("quick sale") << u"btnQuickSale"_s << u"Quicksale1"_s << Command::QuickSale;
        QTest::newRow("work order") << u"btnWorkOrder"_s << u"Workorderentry1"_s << Command::WorkOrder;
        QTest::newRow("pick up") << u"btnPickUp"_s << u"Workorderpickup1"_s << Command::PickUp;
        QTest::newRow("refund") << u"btnRefund"_s << u"Refund1"_s << Command::Refund;
        QTest::newRow("cash count") << u"btnCashCount"_s << u"Cashcount1"_s << Command::CashCount;
        QTest::newRow("end of day") << u"btnEndOfDay"_s << u"Endofday1"_s << Command::EndOfDay;
        QTest::newRow("end of week") << u"btnEndOfWeek"_s << u"Endofweek1"_s << Command::EndOfWeek;
        QTest::newRow("hours worked") << u"btnHoursWorked"_s << u"Hoursworked1"_s << Command::HoursWorked;
        QTest::newRow("inventory") << u"btnInventory"_s << u"Inventory1"_s << Command::Inventory;
        QTest::newRow("configuration") << u"btnConfig"_s << u"Configuration1"_s << Command::Configuration;
        QTest::newRow("data manager") << u"btnDataManager"_s << u"Datamanager1"_s << Command::DataManager;
        QTest::newRow("reports") << u"btnReports"_s << u"Reports1"_s << Command::Reports;
    }

    void aButtonAndItsMenuItemOpenTheSameScreen()
    {
        QFETCH(QString, buttonName);
        QFETCH(QString, itemName);
        QFETCH(Command, command);
        const TfrmMain panel(fakeScreens());
        button(panel, buttonName)->click();
        panel.findChild<QAction *>(itemName)->trigger();
        QCOMPARE(m_log.opened, (QList<Command>{command, command}));
        QCOMPARE(m_log.alive, 0);
        QVERIFY(m_log.shownDuringExec);
        QCOMPARE(ScreenTable::shownScreen(), nullptr);
        QVERIFY(m_env->dialogs().shown.isEmpty());
    }

    void aCommandWithoutAScreenIsDisabled()
    {
        const TfrmMain panel(ScreenTable().add(Command::Refund, [this](QWidget *parent) {
            return std::make_unique<FakeScreen>(parent, m_log, [] { return int(QDialog::Accepted); });
        }));
        QVERIFY(button(panel, u"btnRefund"_s)->isEnabled());
        QVERIFY(action(panel, "Refund1")->isEnabled());
        QVERIFY(!button(panel, u"btnQuickSale"_s)->isEnabled());
        QVERIFY(!action(panel, "Quicksale1")->isEnabled());
        QVERIFY(!button(panel, u"btnConfig"_s)->isEnabled());
        QVERIFY(!action(panel, "Configuration1")->isEnabled());
        QVERIFY(!action(panel, "About1")->isEnabled());
        QVERIFY(action(panel, "Contents1")->isEnabled());
    }

    void theProgramHasItsAboutBox()
    {
        const TfrmMain panel(ProgramScreens());
        QVERIFY(action(panel, "About1")->isEnabled());
    }

    void aScreenIsDestroyedWhenShowingItFails()
    {
        m_bodies[Command::EndOfDay] = []() -> int { throw AppError(u"Table 'Sales' does not exist"_s); };
        const TfrmMain panel(fakeScreens());
        button(panel, u"btnEndOfDay"_s)->click();
        QCOMPARE(m_env->dialogs().shownTexts(), QStringList{u"Table 'Sales' does not exist"_s});
        QCOMPARE(m_log.alive, 0);
        QCOMPARE(ScreenTable::shownScreen(), nullptr);
        button(panel, u"btnCashCount"_s)->click();
        QCOMPARE(m_log.opened, (QList<Command>{Command::EndOfDay, Command::CashCount}));
    }

    void theWindowStartsWithItsCaptionAndSize()
    {
        const TfrmMain panel(fakeScreens());
        QCOMPARE(panel.windowTitle(), u"Kestrelvane POS"_s);
        QCOMPARE(panel.centralWidget()->size(), QSize(494, 350));
        QCOMPARE(panel.font().family(), u"Arial"_s);
    }

    void startUpCreatesAMissingFlagFileWithSecurityOff()
    {
        const TfrmMain panel(fakeScreens());
        QFile file(FlagFileName(m_env->dataFolder()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\x04" "1.00" "\x00", 6));
        QVERIFY(!TSecure::instance().Enabled);
        QVERIFY(menuState(panel, false, false));
        QCOMPARE(HelpFile(), TConfig::instance().ProgramPath + u"help/"_s);
    }

    void withoutADataFolderSecurityStaysOff()
    {
        const QString blocker = m_env->root() + u"not a folder"_s;
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QFile ini(m_env->userFolder() + u"KVTL.ini"_s);
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write((u"[Options]\nDataPath="_s + blocker + u"/data/"_s).toUtf8());
        ini.close();
        const TfrmMain panel(fakeScreens());
        QVERIFY(!QFileInfo::exists(FlagFileName(TConfig::instance().DataPath)));
        QVERIFY(!TSecure::instance().Enabled);
        QVERIFY(menuState(panel, false, false));
    }

    void anUnreadableFlagFileIsReportedAndSecurityStaysOff()
    {
        const QString flagFile = FlagFileName(m_env->dataFolder());
        QVERIFY(QDir().mkpath(flagFile));
        const TfrmMain panel(fakeScreens());
        QCOMPARE(m_env->dialogs().shownTexts(), QStringList{u"Cannot open "_s + flagFile});
        QVERIFY(!TSecure::instance().Enabled);
        QVERIFY(menuState(panel, false, false));
        QCOMPARE(HelpFile(), TConfig::instance().ProgramPath + u"help/"_s);
    }

    void withSecurityOffTheManagerScreensOpenWithoutLogin()
    {
        const auto panel = panelWithSecurity(false);
        QVERIFY(menuState(*panel, false, false));
        trigger(*panel, "Configuration1");
        trigger(*panel, "Datamanager1");
        QCOMPARE(m_log.opened, (QList<Command>{Command::Configuration, Command::DataManager}));
        QVERIFY(m_env->dialogs().shown.isEmpty());
    }

    void withSecurityOnNobodyIsAskedToLogInAndCancelLacksRights()
    {
        const auto panel = panelWithSecurity(true);
        QVERIFY(menuState(*panel, true, true));
        m_logins = {{false, {}, {}}};
        trigger(*panel, "Configuration1");
        QCOMPARE(m_log.opened, QList<Command>{Command::Login});
        QCOMPARE(m_env->dialogs().shownTexts(), QStringList{lackOfRights()});
    }

    void anotherUserIsAskedToLogInOnEveryAttempt()
    {
        const auto panel = panelWithSecurity(true);
        TConfig::instance().SecurityLevel = u'U';
        button(*panel, u"btnConfig"_s)->click();
        button(*panel, u"btnConfig"_s)->click();
        QCOMPARE(m_log.opened, (QList<Command>{Command::Login, Command::Login}));
        QCOMPARE(m_env->dialogs().shownTexts(), (QStringList{lackOfRights(), lackOfRights()}));
    }

    void aFlagFileDeletedAfterStartUpIsReportedBeforeTheLackOfRights()
    {
        const auto panel = panelWithSecurity(true);
        const QString flagFile = FlagFileName(m_env->dataFolder());
        QVERIFY(QFile::remove(flagFile));
        button(*panel, u"btnDataManager"_s)->click();
        QCOMPARE(m_env->dialogs().shownTexts(), (QStringList{u"Cannot find "_s + flagFile, lackOfRights()}));
        QVERIFY(m_log.opened.isEmpty());
    }

    void anAdministratorOpensTheManagerScreensUntilLogout()
    {
        const auto panel = panelWithSecurity(true);
        m_logins = {{true, u'A', u"Manager"_s}};
        trigger(*panel, "Datamanager1");
        QCOMPARE(panel->windowTitle(), u"Kestrelvane Point Of Sale - Manager"_s);
        QVERIFY(menuState(*panel, false, true));
        m_bodies[Command::Configuration] = [] { return int(QDialog::Rejected); };
        trigger(*panel, "Configuration1");
        QCOMPARE(m_log.opened, (QList<Command>{Command::Login, Command::DataManager, Command::Configuration}));
        QVERIFY(m_env->dialogs().shown.isEmpty());

        trigger(*panel, "Logout1");
        QCOMPARE(m_env->dialogs().shownTexts(), QStringList{u"Logged out as Administrator"_s});
        QCOMPARE(panel->windowTitle(), u"Kestrelvane Point Of Sale"_s);
        QCOMPARE(TConfig::instance().SecurityLevel, QChar(0));
        QCOMPARE(TConfig::instance().CurrentLoginID, u"Manager"_s);
        QVERIFY(menuState(*panel, false, true));
        trigger(*panel, "Datamanager1");
        QCOMPARE(m_log.opened.last(), Command::Login);
    }

    void anotherUsersLogoutShowsNothingAndKeepsTheCaption()
    {
        const auto panel = panelWithSecurity(true);
        m_logins = {{true, u'U', u"Clerk"_s}};
        trigger(*panel, "Login1");
        QCOMPARE(panel->windowTitle(), u"Kestrelvane Point Of Sale - Clerk"_s);
        trigger(*panel, "Logout1");
        QVERIFY(m_env->dialogs().shown.isEmpty());
        QCOMPARE(panel->windowTitle(), u"Kestrelvane Point Of Sale - Clerk"_s);
        QCOMPARE(TConfig::instance().SecurityLevel, QChar(0));
        QVERIFY(menuState(*panel, false, true));
    }

    void loginReturnsTheDialogsResult_data()
    {
        QTest::addColumn<bool>("flagFile");
        QTest::addColumn<bool>("loginScreen");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("caption");
        QTest::newRow("flag file missing") << false << true << true << -1 << u"Kestrelvane POS"_s;
        QTest::newRow("no login dialog yet") << true << false << true << 2 << u"Kestrelvane POS"_s;
        QTest::newRow("cancelled") << true << true << false << 2 << u"Kestrelvane POS"_s;
        QTest::newRow("OK") << true << true << true << 1 << u"Kestrelvane Point Of Sale - Manager"_s;
    }

    void loginReturnsTheDialogsResult()
    {
        QFETCH(bool, flagFile);
        QFETCH(bool, loginScreen);
        QFETCH(bool, accepted);
        QFETCH(int, result);
        QFETCH(QString, caption);
        ScreenTable screens = fakeScreens();
        if (!loginScreen)
            screens = ScreenTable().add(Command::About, [this](QWidget *parent) {
                return std::make_unique<FakeScreen>(parent, m_log, [] { return int(QDialog::Accepted); });
            });
        writeFlagFile(1);
        TfrmMain panel(std::move(screens));
        if (!flagFile)
            QVERIFY(QFile::remove(FlagFileName(m_env->dataFolder())));
        m_logins = {{accepted, u'A', u"Manager"_s}};
        QCOMPARE(panel.DoLogin(), result);
        QCOMPARE(panel.windowTitle(), caption);
        QCOMPARE(m_log.opened.contains(Command::Login), flagFile && loginScreen);
        QCOMPARE(m_env->dialogs().shownTexts(),
                 flagFile ? QStringList() : QStringList{u"Cannot find "_s + FlagFileName(m_env->dataFolder())});
    }

    void theConfigurationClosedWithOkSetsTheLoginMenu_data()
    {
        QTest::addColumn<int>("closedWith");
        QTest::addColumn<bool>("login");
        QTest::addColumn<bool>("logout");
        QTest::newRow("OK: both follow the switch") << int(QDialog::Accepted) << false << false;
        QTest::newRow("Cancel: as the login left them") << int(QDialog::Rejected) << false << true;
    }

    void theConfigurationClosedWithOkSetsTheLoginMenu()
    {
        QFETCH(int, closedWith);
        QFETCH(bool, login);
        QFETCH(bool, logout);
        m_bodies[Command::Configuration] = [closedWith] {
            TSecure::instance().Enabled = false;
            return closedWith;
        };
        const auto panel = panelWithSecurity(true);
        m_logins = {{true, u'A', u"Manager"_s}};
        trigger(*panel, "Login1");
        trigger(*panel, "Configuration1");
        QVERIFY(menuState(*panel, login, logout));
    }

    void theHelpCommandsOpenTheProgramsHelp()
    {
        const TfrmMain panel(fakeScreens());
        const QString programHelp = TConfig::instance().ProgramPath + u"help/"_s;
        trigger(panel, "Contents1");
        trigger(panel, "Index1");
        panel.findChild<QShortcut *>(u"HelpKey"_s)->activated();
        const QList<FakeShell::HelpRequest> &help = m_env->shell().help;
        QCOMPARE(help.size(), 3);
        QVERIFY(help[0].contents && help[0].file == programHelp);
        QVERIFY(help[1].search && help[1].keyword.isEmpty() && help[1].file == programHelp);
        QCOMPARE(help[2].file, programHelp);
        QCOMPARE(help[2].topic, 130);
    }

    void otherSoftwareOpensTopic40OfTheOtherHelpAndSwitchesBack()
    {
        const TfrmMain panel(fakeScreens());
        trigger(panel, "OtherKestrelvaneSoftware1");
        QCOMPARE(m_env->shell().help.size(), 1);
        QCOMPARE(m_env->shell().help[0].file, TConfig::instance().ProgramPath + u"help/kestrel/"_s);
        QCOMPARE(m_env->shell().help[0].topic, 40);
        QCOMPARE(HelpFile(), TConfig::instance().ProgramPath + u"help/"_s);
    }

    void theWebCommandsOpenTheirAddressesWithoutAsking_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("address");
        QTest::newRow("product") << u"Pointofsaleontheweb1"_s << u"https://www.kestrelvane.example/pos"_s;
        QTest::newRow("maker") << u"Kestrelvaneontheweb1"_s << u"https://www.kestrelvane.example"_s;
    }

    void theWebCommandsOpenTheirAddressesWithoutAsking()
    {
        QFETCH(QString, item);
        QFETCH(QString, address);
        const TfrmMain panel(fakeScreens());
        panel.findChild<QAction *>(item)->trigger();
        QCOMPARE(m_env->shell().urls, QStringList{address});
        QVERIFY(m_env->dialogs().shown.isEmpty());
    }

    void feedbackAsksFirstAndWritesToSupportOnYes_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("urls");
        QTest::newRow("yes") << int(Dialogs::Yes) << QStringList{u"mailto:support@kestrelvane.example"_s};
        QTest::newRow("no") << int(Dialogs::No) << QStringList();
    }

    void feedbackAsksFirstAndWritesToSupportOnYes()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, urls);
        const TfrmMain panel(fakeScreens());
        m_env->dialogs().answers.enqueue(Dialogs::Button(answer));
        trigger(panel, "Emailfeedback1");
        QCOMPARE(m_env->dialogs().shownTexts(),
                 QStringList{u"Have you searched the help and web site before requesting support?"_s});
        QCOMPARE(m_env->dialogs().shown.first().type, FakeDialogs::Shown::Type::Ask);
        QCOMPARE(m_env->shell().urls, urls);
    }

    void aFailedBrowserLaunchShowsTheLaunchersMessage()
    {
        const TfrmMain panel(fakeScreens());
        m_env->shell().succeed = false;
        trigger(panel, "Kestrelvaneontheweb1");
        QCOMPARE(m_env->dialogs().shown.size(), 1);
    }

    void shutdownSavesTheConfigurationAndShowsAWriteError()
    {
        auto panel = std::make_unique<TfrmMain>(fakeScreens());
        TConfig::instance().StoreName = u"Corner Shop"_s;
        QVERIFY(QDir().mkpath(m_env->dataFolder() + u"KVTL.ini"_s));
        panel.reset();
        QCOMPARE(m_env->dialogs().shownTexts(),
                 QStringList{u"Unable to write to "_s + m_env->dataFolder() + u"KVTL.ini"_s});
        QVERIFY_THROWS_EXCEPTION(std::logic_error, TSecure::instance());
        QVERIFY_THROWS_EXCEPTION(std::logic_error, TConfig::instance());
    }

    void shutdownWritesBothSettingsFiles()
    {
        auto panel = std::make_unique<TfrmMain>(fakeScreens());
        TConfig::instance().StoreName = u"Corner Shop"_s;
        panel.reset();
        QVERIFY(m_env->dialogs().shown.isEmpty());
        QFile storeOptions(m_env->dataFolder() + u"KVTL.ini"_s);
        QVERIFY(storeOptions.open(QIODevice::ReadOnly));
        QVERIFY(storeOptions.readAll().contains("StoreName=Corner Shop"));
        QVERIFY(QFileInfo::exists(m_env->userFolder() + u"KVTL.ini"_s));
    }
};

int main(int argc, char **argv)
{
    Application app(argc, argv);
    TestControlPanel test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_controlpanel.moc"
