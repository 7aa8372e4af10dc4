#pragma once

#include "app/ScreenTable.h"

#include <QMainWindow>

#include <memory>
#include <utility>
#include <vector>

class QAction;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QToolButton;
class TConfig;
class TSecure;

// The control panel: twelve picture buttons and three menus from which every
// screen opens modally. It owns the configuration and the security switch,
// and carries login, logout and the rights check of the manager screens.
class TfrmMain final : public QMainWindow
{
    Q_OBJECT

public:
    explicit TfrmMain(ScreenTable screens, QWidget *parent = nullptr);
    ~TfrmMain() override;

    // Login and Logout follow the security switch.
    void SetLoginMenuState();
    // Runs the login dialog: its result (OK 1, Cancel 2), or -1 when the
    // security flag file is missing.
    int DoLogin();

public slots:
    void Quicksale1Click();
    void Workorderentry1Click();
    void Workorderpickup1Click();
    void btnRefundClick();
    void btnCashCountClick();
    void btnEndOfDayClick();
    void btnEndOfWeekClick();
    void btnHoursWorkedClick();
    void btnInventoryClick();
    void btnConfigClick();
    void btnDataManagerClick();
    void btnReportsClick();
    void Login1Click();
    void Logout1Click();
    void Contents1Click();
    void Index1Click();
    void Pointofsaleontheweb1Click();
    void Kestrelvaneontheweb1Click();
    void Emailfeedback1Click();
    void OtherKestrelvaneSoftware1Click();
    void About1Click();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    using Handler = void (TfrmMain::*)();
    struct ButtonSpec;
    struct MenuItemSpec;

    void FormCreate();
    void FormDestroy();
    void buildButtons(QGridLayout *grid);
    void buildMenus();
    void addMenu(const char *name, const QString &title, const std::vector<MenuItemSpec> &items);
    QWidget *buildBanner();
    void enableCommandsWithScreens();
    void showStoreName();
    void openScreen(Command command);
    void openManagerScreen(Command command);
    bool managerRightsGranted() const;
    QToolButton *buttonForAccelerator(const QKeyEvent &key) const;

    ScreenTable m_screens;
    std::unique_ptr<TConfig> m_config;
    std::unique_ptr<TSecure> m_secure;
    std::vector<std::pair<Command, QToolButton *>> m_commandButtons;
    std::vector<std::pair<Command, QAction *>> m_commandActions;
    QAction *Login1 = nullptr;
    QAction *Logout1 = nullptr;
    QLabel *m_storeLine = nullptr;
};
