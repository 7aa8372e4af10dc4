#pragma once

#include <memory>

class Application;
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
// database module (step 3) and the server link module (step 4) are created in
// run() after the control panel and held in members declared after
// m_controlPanel.
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
    int runEventLoop();

    Application &m_application;
    std::unique_ptr<TfrmMain> m_controlPanel;
};
