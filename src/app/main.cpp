#include "app/Application.h"

#include "platform/Clock.h"
#include "platform/DesktopShell.h"
#include "platform/QtDialogs.h"
#include "platform/QtPrinting.h"
#include "platform/System.h"

#include <QMainWindow>

int main(int argc, char **argv)
{
    Application app(argc, argv);
    Dialogs::install(std::make_unique<QtDialogs>());
    Printing::install(std::make_unique<QtPrinting>());
    Clock::install(std::make_unique<SystemClock>());
    System::install(std::make_unique<RealSystem>());
    Shell::install(std::make_unique<DesktopShell>());

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kestrelvane POS"));
    window.show();
    return app.exec();
}
