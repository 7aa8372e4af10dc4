#include "app/ScreenTable.h"

#include "app/fAbout.h"

// One entry per command whose screen exists; a command missing here is
// disabled on the control panel.
ScreenTable ProgramScreens()
{
    ScreenTable screens;
    screens.add(Command::About, [](QWidget *parent) { return std::make_unique<TAboutBox>(parent); });
    return screens;
}
