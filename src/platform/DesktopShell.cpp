#include "platform/DesktopShell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

bool DesktopShell::openUrl(const QString &url)
{
    return QDesktopServices::openUrl(QUrl(url));
}

bool DesktopShell::openFile(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool DesktopShell::runProgram(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

// The help window arrives with the control panel; until then these are no-ops.
void DesktopShell::showHelpTopic(const QString &, int) {}
void DesktopShell::showHelpContents(const QString &) {}
void DesktopShell::searchHelp(const QString &, const QString &) {}
