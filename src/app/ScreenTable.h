#pragma once

#include <QDialog>

#include <functional>
#include <map>
#include <memory>

// The commands of the control panel that open a screen.
enum class Command {
    QuickSale,
    WorkOrder,
    PickUp,
    Refund,
    CashCount,
    EndOfDay,
    EndOfWeek,
    HoursWorked,
    Inventory,
    Configuration,
    DataManager,
    Reports,
    Login,
    About,
};

// Makes a command's screen, ready to be shown (Quick sale and Pick up, for
// example, make the same sale screen in its two modes).
using ScreenFactory = std::function<std::unique_ptr<QDialog>(QWidget *parent)>;

// Which screen each command opens. A command without a factory has no
// screen yet, and the control panel disables it.
class ScreenTable
{
public:
    // Registers (or replaces) the factory of a command.
    ScreenTable &add(Command command, ScreenFactory factory);
    bool has(Command command) const;

    // Creates the command's screen, shows it modally and destroys it when it
    // closes, also when showing it throws (the error travels on). Returns the
    // screen's result (QDialog::Accepted is OK).
    int open(Command command, QWidget *parent) const;

    // The screen the control panel shows at the moment, or nullptr; screens
    // that need to reach themselves from elsewhere find themselves here.
    static QDialog *shownScreen();

private:
    std::map<Command, ScreenFactory> m_factories;
};

// Every screen the program has.
ScreenTable ProgramScreens();
