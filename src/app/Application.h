#pragma once

#include <QApplication>

// The program's application object. Its notify() is the last net under every
// handler: an exception that escapes one is shown in a message box, and the
// event loop, and with it the screen, carries on.
class Application final : public QApplication
{
public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
