#include "app/StartUp.h"

#include "app/Application.h"
#include "app/Help.h"
#include "app/Icons.h"
#include "app/ScreenTable.h"
#include "app/fMain.h"

StartUp::StartUp(Application &application)
    : m_application(application)
{
}

StartUp::~StartUp() = default;

int StartUp::run()
{
    setApplicationTitle();
    createControlPanel();
    return runEventLoop();
}

// Message boxes carry applicationTitle() as their caption; the program's
// windows carry the picture, and help starts at the help folder's name until
// the control panel knows the program folder.
void StartUp::setApplicationTitle()
{
    QApplication::setWindowIcon(ApplicationIcon());
    SetHelpFile(ProgramHelpFile(QString()));
}

void StartUp::createControlPanel()
{
    m_controlPanel = std::make_unique<TfrmMain>(ProgramScreens());
}

int StartUp::runEventLoop()
{
    m_controlPanel->show();
    return m_application.exec();
}
