#include "platform/DesktopShell.h"

#include "app/HelpWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace {
// The help window belongs to the window the user asks from: a modal screen
// blocks every window but its own children, and the help closes with it.
QWidget *helpOwner(QWidget *helpWindow)
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    QWidget *active = QApplication::activeWindow();
    if (helpWindow && active == helpWindow)
        return helpWindow->parentWidget();
    return active;
}

void bringToFront(QWidget &window)
{
    window.show();
    window.raise();
    window.activateWindow();
}
}

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

void DesktopShell::showHelpTopic(const QString &helpFile, int topic)
{
    HelpWindow &window = helpWindow();
    if (topic == 0)
        window.showContents(helpFile);
    else
        window.showTopic(helpFile, topic);
    bringToFront(window);
}

void DesktopShell::showHelpContents(const QString &helpFile)
{
    HelpWindow &window = helpWindow();
    window.showContents(helpFile);
    bringToFront(window);
}

void DesktopShell::searchHelp(const QString &helpFile, const QString &keyword)
{
    HelpWindow &window = helpWindow();
    window.showSearch(helpFile, keyword);
    bringToFront(window);
}

HelpWindow &DesktopShell::helpWindow()
{
    QWidget *owner = helpOwner(m_helpWindow);
    if (!m_helpWindow)
        m_helpWindow = new HelpWindow(owner);
    else if (m_helpWindow->parentWidget() != owner)
        m_helpWindow->setParent(owner, Qt::Window);
    return *m_helpWindow;
}
