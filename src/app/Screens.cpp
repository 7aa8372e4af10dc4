#include "app/ScreenTable.h"

#include "app/fAbout.h"
#include "selling/fSale.h"

namespace {
// Pick up will open the same screen with QuickSale false.
std::unique_ptr<QDialog> quickSaleScreen(QWidget *parent)
{
    auto screen = std::make_unique<TfrmSale>(parent);
    screen->QuickSale = true;
    return screen;
}
}

// One entry per command whose screen exists; a command missing here is
// disabled on the control panel.
ScreenTable ProgramScreens()
{
    ScreenTable screens;
    screens.add(Command::QuickSale, quickSaleScreen);
    screens.add(Command::About, [](QWidget *parent) { return std::make_unique<TAboutBox>(parent); });
    return screens;
}
