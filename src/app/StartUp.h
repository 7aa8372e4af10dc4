#pragma once

#include <memory>

class Application;
class TDM;
class TfrmMain;

// The program's start-up, step by step, and its shutdown in reverse.
//
// 1. the application title, the program picture and the help file name;
// 2. the control panel, whose creation makes the configuration and the
//    security switch;
// 3. the database module;
// 4. the server link module;
// 5. the event loop with the control panel as the main window.
//
// Each program-wide object of steps 2 to 4 is a member, declared in the order
// of creation, so that destroying the StartUp object frees them in reverse:
// the server link module, the database module, then the control panel. The
// server link module (step 4) joins as a member declared after m_dataModule.
class StartUp
{
public:
    explicit StartUp(Application &application);
    ~StartUp();
    StartUp(const StartUp &) = delete;
    StartUp &operator=(const StartUp &) = delete;

    // Runs steps 1 to 5 and returns the program's exit code.
    int run();

private:
    void setApplicationTitle();
    void createControlPanel();
    void createDataModule();
    int runEventLoop();

    Application &m_application;
    std::unique_ptr<TfrmMain> m_controlPanel;
    std::unique_ptr<TDM> m_dataModule;
};
