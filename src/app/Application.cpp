#include "app/Application.h"

#include "platform/Dialogs.h"
#include "platform/Guarded.h"

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
    // No display name: Qt would append it to the caption of every window.
    setApplicationName(QStringLiteral("Kestrelvane"));
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        Dialogs::instance().message(currentExceptionText());
        return false;
    }
}
