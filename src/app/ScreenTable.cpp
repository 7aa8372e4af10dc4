#include "app/ScreenTable.h"

#include <stdexcept>

namespace {
QDialog *&currentScreen()
{
    static QDialog *screen = nullptr;
    return screen;
}

// Publishes a screen as the shown one for the time of its showing and puts
// the previous one back on every path.
class ShownScreen
{
public:
    explicit ShownScreen(QDialog *screen)
        : m_previous(currentScreen())
    {
        currentScreen() = screen;
    }
    ~ShownScreen() { currentScreen() = m_previous; }
    ShownScreen(const ShownScreen &) = delete;
    ShownScreen &operator=(const ShownScreen &) = delete;

private:
    QDialog *m_previous;
};
}

ScreenTable &ScreenTable::add(Command command, ScreenFactory factory)
{
    m_factories[command] = std::move(factory);
    return *this;
}

bool ScreenTable::has(Command command) const
{
    return m_factories.contains(command);
}

int ScreenTable::open(Command command, QWidget *parent) const
{
    const auto factory = m_factories.find(command);
    if (factory == m_factories.end())
        throw std::logic_error("a command without a screen was started");
    const std::unique_ptr<QDialog> screen = factory->second(parent);
    const ShownScreen shown(screen.get());
    return screen->exec();
}

QDialog *ScreenTable::shownScreen()
{
    return currentScreen();
}
