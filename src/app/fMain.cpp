#include "app/fMain.h"

#include "app/FlagFile.h"
#include "app/Help.h"
#include "app/HelpKey.h"
#include "app/Icons.h"
#include "app/Secure.h"
#include "app/WebAddresses.h"
#include "config/Config.h"
#include "config/SystemHelpers.h"
#include "platform/Dialogs.h"
#include "platform/Guarded.h"
#include "platform/Shell.h"

#include <QAction>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <string_view>

namespace {
constexpr int ControlPanelHelpTopic = 130;
constexpr int OtherProductsHelpTopic = 40;
constexpr QSize ClientSize(494, 350);
constexpr QSize ButtonSize(113, 57);
constexpr QSize ButtonIconSize(24, 24);

QString text(const char *latin1) { return QString(QLatin1String(latin1)); }

QString startCaption() { return QStringLiteral("Kestrelvane POS"); }

// Keeps the look of the panel in one place: a calm light face, framed
// buttons that light up under the mouse and show the keyboard focus.
QString panelStyleSheet()
{
    return QStringLiteral(
        "#pnlClient { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f4f6fa, stop:1 #e3e8ef); }"
        "#pnlBanner { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #0d2b57, stop:1 #2c68ad); }"
        "#pnlBanner QLabel { color: white; background: transparent; }"
        "#lblStore { color: #d5e3f5; }"
        "QToolButton { color: #18222e; border: 1px solid #a7b3c4; border-radius: 6px; padding: 4px 2px 3px 2px;"
        "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #e6ebf2); }"
        "QToolButton:hover { border-color: #3a78c8;"
        "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f7fbff, stop:1 #d7e6f8); }"
        "QToolButton:pressed { background: #c5d9f2; }"
        "QToolButton:focus { border: 2px solid #3a78c8; }"
        "QToolButton:disabled { color: #8d97a5; border-color: #c6cdd8; background: #edf0f4; }");
}
}

struct TfrmMain::ButtonSpec
{
    const char *name;
    const char *caption;
    const char *hint;
    int column;
    int row;
    int tabOrder;
    Command command;
    const char *icon;
    Handler handler;
};

struct TfrmMain::MenuItemSpec
{
    const char *name;
    const char *caption;
    Handler handler = nullptr;
    std::optional<Command> command = std::nullopt;
    const char *icon = nullptr;

    bool isSeparator() const { return std::string_view(caption) == "-"; }
};

TfrmMain::TfrmMain(ScreenTable screens, QWidget *parent)
    : QMainWindow(parent)
    , m_screens(std::move(screens))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(startCaption());
    setWindowIcon(ApplicationIcon());
    setFont(QFont(QStringLiteral("Arial")));

    auto *client = new QWidget;
    client->setObjectName(QStringLiteral("pnlClient"));
    client->setFixedSize(ClientSize);
    client->setStyleSheet(panelStyleSheet());
    auto *grid = new QGridLayout;
    grid->setContentsMargins(30, 10, 30, 14);
    grid->setSpacing(10);
    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildBanner());
    layout->addLayout(grid, 1);
    buildButtons(grid);
    setCentralWidget(client);
    buildMenus();
    QMainWindow::layout()->setSizeConstraint(QLayout::SetFixedSize);

    SetHelpTopic(this, ControlPanelHelpTopic);
    enableCommandsWithScreens();
    FormCreate();
    showStoreName();
}

TfrmMain::~TfrmMain()
{
    FormDestroy();
}

QWidget *TfrmMain::buildBanner()
{
    auto *banner = new QWidget;
    banner->setObjectName(QStringLiteral("pnlBanner"));
    banner->setAttribute(Qt::WA_StyledBackground);
    banner->setFixedHeight(66);
    auto *picture = new QLabel;
    picture->setPixmap(ApplicationIcon().pixmap(48));
    auto *title = new QLabel(QStringLiteral("Kestrelvane Point of Sale"));
    QFont titleFont(QStringLiteral("Arial"), 15);
    titleFont.setBold(true);
    title->setFont(titleFont);
    m_storeLine = new QLabel;
    m_storeLine->setObjectName(QStringLiteral("lblStore"));
    auto *words = new QVBoxLayout;
    words->setSpacing(0);
    words->addStretch();
    words->addWidget(title);
    words->addWidget(m_storeLine);
    words->addStretch();
    auto *row = new QHBoxLayout(banner);
    row->setContentsMargins(18, 6, 18, 6);
    row->setSpacing(12);
    row->addWidget(picture);
    row->addLayout(words, 1);
    return banner;
}

void TfrmMain::buildButtons(QGridLayout *grid)
{
    const std::vector<ButtonSpec> buttons{
        {"btnQuickSale", "&Quick Sale", "Enter a quick sale", 1, 1, 0, Command::QuickSale, "quick-sale", &TfrmMain::Quicksale1Click},
        {"btnWorkOrder", "Work &Order", "Enter a workorder", 1, 2, 1, Command::WorkOrder, "work-order", &TfrmMain::Workorderentry1Click},
        {"btnPickUp", "&Pick Up", "Ring in an existing workorder", 1, 3, 2, Command::PickUp, "pick-up", &TfrmMain::Workorderpickup1Click},
        {"btnRefund", "&Refund", "", 1, 4, 7, Command::Refund, "refund", &TfrmMain::btnRefundClick},
        {"btnCashCount", "&Cash Count", "Perform administrative functions", 2, 1, 3, Command::CashCount, "cash-count", &TfrmMain::btnCashCountClick},
        {"btnEndOfDay", "End of &Day", "Perform administrative functions", 2, 2, 4, Command::EndOfDay, "end-of-day", &TfrmMain::btnEndOfDayClick},
        {"btnEndOfWeek", "End of &Week", "Perform administrative functions", 2, 3, 5, Command::EndOfWeek, "end-of-week", &TfrmMain::btnEndOfWeekClick},
        {"btnHoursWorked", "&Hours Worked", "Perform administrative functions", 2, 4, 6, Command::HoursWorked, "hours-worked", &TfrmMain::btnHoursWorkedClick},
        {"btnInventory", "&Inventory", "Perform administrative functions", 3, 1, 8, Command::Inventory, "inventory", &TfrmMain::btnInventoryClick},
        {"btnConfig", "Confi&guration", "", 3, 2, 9, Command::Configuration, "configuration", &TfrmMain::btnConfigClick},
        {"btnDataManager", "Data &Manager", "", 3, 3, 10, Command::DataManager, "data-manager", &TfrmMain::btnDataManagerClick},
        {"btnReports", "R&eports", "Perform administrative functions", 3, 4, 11, Command::Reports, "reports", &TfrmMain::btnReportsClick},
    };
    std::vector<std::pair<int, QToolButton *>> tabOrder;
    for (const ButtonSpec &spec : buttons) {
        auto *button = new QToolButton;
        button->setObjectName(text(spec.name));
        button->setText(text(spec.caption));
        button->setToolTip(text(spec.hint));
        button->setIcon(ProgramIcon(text(spec.icon)));
        button->setIconSize(ButtonIconSize);
        button->setFixedSize(ButtonSize);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setFocusPolicy(Qt::StrongFocus);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &QToolButton::clicked, this, spec.handler);
        grid->addWidget(button, spec.row - 1, spec.column - 1, Qt::AlignCenter);
        m_commandButtons.emplace_back(spec.command, button);
        tabOrder.emplace_back(spec.tabOrder, button);
    }
    std::sort(tabOrder.begin(), tabOrder.end());
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
}

void TfrmMain::buildMenus()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    addMenu("POS1", QStringLiteral("&POS"), {
        {"Quicksale1", "&Quick sale", &TfrmMain::Quicksale1Click, Command::QuickSale, "quick-sale"},
        {"Workorderentry1", "&Work order entry", &TfrmMain::Workorderentry1Click, Command::WorkOrder, "work-order"},
        {"Workorderpickup1", "Work order &pick up", &TfrmMain::Workorderpickup1Click, Command::PickUp, "pick-up"},
        {"Refund1", "&Refund", &TfrmMain::btnRefundClick, Command::Refund, "refund"},
        {"Cashcount1", "&Cash count", &TfrmMain::btnCashCountClick, Command::CashCount, "cash-count"},
        {"Endofday1", "End of &day", &TfrmMain::btnEndOfDayClick, Command::EndOfDay, "end-of-day"},
        {"Endofweek1", "End of &week", &TfrmMain::btnEndOfWeekClick, Command::EndOfWeek, "end-of-week"},
        {"Hoursworked1", "&Hours worked", &TfrmMain::btnHoursWorkedClick, Command::HoursWorked, "hours-worked"},
        {"Inventory1", "&Inventory", &TfrmMain::btnInventoryClick, Command::Inventory, "inventory"},
        {"N3", "-"},
        {"Login1", "&Login", &TfrmMain::Login1Click},
        {"Logout1", "Log&out", &TfrmMain::Logout1Click},
    });
    addMenu("View1", QStringLiteral("&View"), {
        {"Configuration1", "&Configuration", &TfrmMain::btnConfigClick, Command::Configuration, "configuration"},
        {"Datamanager1", "&Data manager", &TfrmMain::btnDataManagerClick, Command::DataManager, "data-manager"},
        {"Reports1", "&Reports", &TfrmMain::btnReportsClick, Command::Reports, "reports"},
    });
    addMenu("Help1", QStringLiteral("&Help"), {
        {"Contents1", "&Contents", &TfrmMain::Contents1Click},
        {"Index1", "Keyword &search", &TfrmMain::Index1Click},
        {"N1", "-"},
        {"Pointofsaleontheweb1", "Point of sale on the web", &TfrmMain::Pointofsaleontheweb1Click},
        {"Kestrelvaneontheweb1", "Kestrelvane on the web", &TfrmMain::Kestrelvaneontheweb1Click},
        {"Emailfeedback1", "&E-mail feedback", &TfrmMain::Emailfeedback1Click},
        {"OtherKestrelvaneSoftware1", "Other Kestrelvane software", &TfrmMain::OtherKestrelvaneSoftware1Click},
        {"N2", "-"},
        {"About1", "&About", &TfrmMain::About1Click, Command::About, "kestrelvane"},
    });
    Login1 = findChild<QAction *>(QStringLiteral("Login1"));
    Logout1 = findChild<QAction *>(QStringLiteral("Logout1"));
}

void TfrmMain::addMenu(const char *name, const QString &title, const std::vector<MenuItemSpec> &items)
{
    QMenu *menu = menuBar()->addMenu(title);
    menu->setObjectName(text(name));
    for (const MenuItemSpec &spec : items) {
        QAction *action = spec.isSeparator() ? menu->addSeparator() : menu->addAction(text(spec.caption));
        action->setParent(this);
        action->setObjectName(text(spec.name));
        if (spec.icon)
            action->setIcon(ProgramIcon(text(spec.icon)));
        if (spec.handler)
            connect(action, &QAction::triggered, this, spec.handler);
        if (spec.command)
            m_commandActions.emplace_back(*spec.command, action);
    }
}

void TfrmMain::enableCommandsWithScreens()
{
    for (const auto &[command, button] : m_commandButtons)
        button->setEnabled(m_screens.has(command));
    for (const auto &[command, action] : m_commandActions)
        action->setEnabled(m_screens.has(command));
}

// The enabled button whose caption marks the pressed Alt+letter.
QToolButton *TfrmMain::buttonForAccelerator(const QKeyEvent &key) const
{
    const QKeySequence pressed(key.keyCombination());
    for (const auto &[command, button] : m_commandButtons)
        if (button->isEnabled() && QKeySequence::mnemonic(button->text()) == pressed)
            return button;
    return nullptr;
}

// Alt+P and Alt+H are also the letters of the POS and Help menus; Qt would
// treat them as ambiguous and press neither button. The buttons win, as their
// letters are the panel's accelerators; a disabled button leaves its letter
// to the menu.
bool TfrmMain::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && buttonForAccelerator(*static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    return QMainWindow::event(event);
}

void TfrmMain::keyPressEvent(QKeyEvent *event)
{
    if (QToolButton *button = buttonForAccelerator(*event)) {
        button->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TfrmMain::showStoreName()
{
    QStringList parts;
    for (const QString &part : {m_config->StoreName, m_config->StoreLocation})
        if (!part.trimmed().isEmpty())
            parts.append(part.trimmed());
    m_storeLine->setText(parts.join(QStringLiteral(", ")));
    m_storeLine->setVisible(!parts.isEmpty());
}

void TfrmMain::FormCreate()
{
    m_config = std::make_unique<TConfig>();
    m_secure = std::make_unique<TSecure>();
    const QString dataPath = m_config->DataPath;
    if (QFileInfo(dataPath).isDir()) {
        // An unwritable data folder must not stop the program: security stays off.
        guarded([this, &dataPath] {
            EnsureFlagFile(dataPath);
            LoadFlag(*m_secure, dataPath);
        });
    }
    SetLoginMenuState();
    SetHelpFile(ProgramHelpFile(m_config->ProgramPath));
}

void TfrmMain::FormDestroy()
{
    m_secure.reset();
    guarded([this] { m_config->Save(); });
    m_config.reset();
}

void TfrmMain::SetLoginMenuState()
{
    Login1->setEnabled(m_secure->Enabled);
    Logout1->setEnabled(m_secure->Enabled);
}

int TfrmMain::DoLogin()
{
    const QString flagFile = FlagFileName(m_config->DataPath);
    if (!QFileInfo::exists(flagFile)) {
        Dialogs::instance().message(QStringLiteral("Cannot find ") + flagFile);
        return -1;
    }
    if (!m_screens.has(Command::Login))
        return Dialogs::Cancel;
    if (m_screens.open(Command::Login, this) != QDialog::Accepted)
        return Dialogs::Cancel;
    setWindowTitle(QStringLiteral("Kestrelvane Point Of Sale - ") + m_config->CurrentLoginID);
    Login1->setEnabled(false);
    Logout1->setEnabled(true);
    return Dialogs::Ok;
}

bool TfrmMain::managerRightsGranted() const
{
    return GrantsManagerRights(*m_secure, m_config->SecurityLevel);
}

void TfrmMain::openScreen(Command command)
{
    guarded([this, command] { m_screens.open(command, this); });
}

void TfrmMain::openManagerScreen(Command command)
{
    guarded([this, command] {
        if (!managerRightsGranted())
            DoLogin();
        if (!managerRightsGranted()) {
            Dialogs::instance().message(QStringLiteral("You lack security rights to view this."));
            return;
        }
        const int result = m_screens.open(command, this);
        if (command == Command::Configuration && result == QDialog::Accepted)
            SetLoginMenuState();
    });
}

void TfrmMain::Quicksale1Click() { openScreen(Command::QuickSale); }
void TfrmMain::Workorderentry1Click() { openScreen(Command::WorkOrder); }
void TfrmMain::Workorderpickup1Click() { openScreen(Command::PickUp); }
void TfrmMain::btnRefundClick() { openScreen(Command::Refund); }
void TfrmMain::btnCashCountClick() { openScreen(Command::CashCount); }
void TfrmMain::btnEndOfDayClick() { openScreen(Command::EndOfDay); }
void TfrmMain::btnEndOfWeekClick() { openScreen(Command::EndOfWeek); }
void TfrmMain::btnHoursWorkedClick() { openScreen(Command::HoursWorked); }
void TfrmMain::btnInventoryClick() { openScreen(Command::Inventory); }
void TfrmMain::btnReportsClick() { openScreen(Command::Reports); }
void TfrmMain::About1Click() { openScreen(Command::About); }
void TfrmMain::btnConfigClick() { openManagerScreen(Command::Configuration); }
void TfrmMain::btnDataManagerClick() { openManagerScreen(Command::DataManager); }

void TfrmMain::Login1Click()
{
    guarded([this] { DoLogin(); });
}

void TfrmMain::Logout1Click()
{
    const bool wasAdministrator = m_config->SecurityLevel == QChar(AdministratorLevel);
    m_config->SecurityLevel = QChar(0);
    if (!wasAdministrator)
        return;
    Dialogs::instance().message(QStringLiteral("Logged out as Administrator"));
    setWindowTitle(QStringLiteral("Kestrelvane Point Of Sale"));
}

void TfrmMain::Contents1Click()
{
    guarded([] { Shell::instance().showHelpContents(HelpFile()); });
}

void TfrmMain::Index1Click()
{
    guarded([] { Shell::instance().searchHelp(HelpFile(), QString()); });
}

void TfrmMain::Pointofsaleontheweb1Click()
{
    OpenInBrowser(ProductPageAddress(), false);
}

void TfrmMain::Kestrelvaneontheweb1Click()
{
    OpenInBrowser(MakerPageAddress(), false);
}

void TfrmMain::Emailfeedback1Click()
{
    if (Dialogs::instance().confirm(
            QStringLiteral("Have you searched the help and web site before requesting support?")))
        OpenInBrowser(SupportMailAddress(), false);
}

void TfrmMain::OtherKestrelvaneSoftware1Click()
{
    guarded([this] {
        SetHelpFile(OtherProductsHelpFile(m_config->ProgramPath));
        struct BackToProgramHelp {
            QString programPath;
            ~BackToProgramHelp() { SetHelpFile(ProgramHelpFile(programPath)); }
        } restore{m_config->ProgramPath};
        ShowHelpTopic(OtherProductsHelpTopic);
    });
}
