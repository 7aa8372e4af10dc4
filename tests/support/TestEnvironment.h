#pragma once

#include "FakeDialogs.h"
#include "FakePlatform.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

// Everything a test needs to run the program's code headless and on a date
// of its own: a fresh temporary folder that is the user's data home, the
// temporary folder and the working folder, and the platform test doubles
// installed for the test's lifetime. Create one per test function (in
// init()) or per test case.
class TestEnvironment
{
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment &) = delete;
    TestEnvironment &operator=(const TestEnvironment &) = delete;

    // The temporary root; every other folder lies below it. Ends in "/".
    QString root() const;
    // The default data folder under the data home ("Kestrelvane/KVTL/"), created.
    QString dataFolder() const;
    // The per-user folder under the data home ("Kestrelvane/"), created.
    QString userFolder() const;

    FakeDialogs &dialogs() { return *m_dialogs; }
    FakeClock &clock() { return *m_clock; }
    FakeSystem &system() { return *m_system; }
    FakeShell &shell() { return *m_shell; }
    FakePrinting &printing() { return *m_printing; }

private:
    QTemporaryDir m_root;
    QString m_previousWorkingFolder;
    FakeDialogs *m_dialogs;
    FakeClock *m_clock;
    FakeSystem *m_system;
    FakeShell *m_shell;
    FakePrinting *m_printing;
    std::unique_ptr<Dialogs> m_oldDialogs;
    std::unique_ptr<Clock> m_oldClock;
    std::unique_ptr<System> m_oldSystem;
    std::unique_ptr<Shell> m_oldShell;
    std::unique_ptr<Printing> m_oldPrinting;
};
