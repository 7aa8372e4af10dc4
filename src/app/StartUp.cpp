#include "app/StartUp.h"

#include "app/Application.h"
#include "app/Help.h"
#include "app/Icons.h"
#include "app/ScreenTable.h"
#include "app/fMain.h"
#include "config/Config.h"
#include "config/fDataMissing.h"
#include "store/fDM.h"

StartUp::StartUp(Application &application)
    : m_application(application)
{
}

StartUp::~StartUp() = default;

int StartUp::run()
{
    setApplicationTitle();
    createControlPanel();
    createDataModule();
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

// The database module asks for another data folder while the tables are missing.
void StartUp::createDataModule()
{
    m_dataModule = std::make_unique<TDM>(TConfig::instance(), &AskDataFolder);
}

int StartUp::runEventLoop()
{
    m_controlPanel->show();
    return m_application.exec();
}
