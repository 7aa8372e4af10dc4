#include "TestEnvironment.h"

#include <QCoreApplication>
#include <QDir>

namespace {
template <typename Interface, typename Double>
Double *installDouble(std::unique_ptr<Interface> &previous)
{
    auto fake = std::make_unique<Double>();
    Double *raw = fake.get();
    previous = Interface::install(std::move(fake));
    return raw;
}

template <typename Interface>
void restore(std::unique_ptr<Interface> &previous)
{
    Interface::install(std::move(previous));
}
}

TestEnvironment::TestEnvironment()
    : m_previousWorkingFolder(QDir::currentPath())
{
    m_dialogs = installDouble<Dialogs, FakeDialogs>(m_oldDialogs);
    m_clock = installDouble<Clock, FakeClock>(m_oldClock);
    m_system = installDouble<System, FakeSystem>(m_oldSystem);
    m_shell = installDouble<Shell, FakeShell>(m_oldShell);
    m_printing = installDouble<Printing, FakePrinting>(m_oldPrinting);

    QDir(root()).mkpath(QStringLiteral("share/Kestrelvane/KVTL"));
    QDir(root()).mkpath(QStringLiteral("tmp"));
    m_system->dataHome = root() + QStringLiteral("share/");
    m_system->temp = root() + QStringLiteral("tmp/");
    m_system->program = QCoreApplication::applicationDirPath() + u'/';
    QDir::setCurrent(root());
}

TestEnvironment::~TestEnvironment()
{
    QDir::setCurrent(m_previousWorkingFolder);
    restore(m_oldPrinting);
    restore(m_oldShell);
    restore(m_oldSystem);
    restore(m_oldClock);
    restore(m_oldDialogs);
}

QString TestEnvironment::root() const
{
    return m_root.path() + u'/';
}

QString TestEnvironment::dataFolder() const
{
    return root() + QStringLiteral("share/Kestrelvane/KVTL/");
}

QString TestEnvironment::userFolder() const
{
    return root() + QStringLiteral("share/Kestrelvane/");
}
