#include "app/Application.h"
#include "app/StartUp.h"

#include "platform/Clock.h"
#include "platform/DesktopShell.h"
#include "platform/Guarded.h"
#include "platform/QtDialogs.h"
#include "platform/QtPrinting.h"
#include "platform/System.h"

int main(int argc, char **argv)
{
    Application app(argc, argv);
    Dialogs::install(std::make_unique<QtDialogs>());
    Printing::install(std::make_unique<QtPrinting>());
    Clock::install(std::make_unique<SystemClock>());
    System::install(std::make_unique<RealSystem>());
    Shell::install(std::make_unique<DesktopShell>());

    try {
        StartUp program(app);
        return program.run();
    } catch (...) {
        // A failure before the event loop runs has no window to show it in
        // but its own message box; the program cannot go on.
        Dialogs::instance().message(currentExceptionText());
        return 1;
    }
}
