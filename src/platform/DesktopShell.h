#pragma once

#include "platform/Shell.h"

#include <QPointer>

class HelpWindow;

// The real desktop: QDesktopServices for addresses and files, QProcess for
// programs, the program's help window for help topics.
class DesktopShell final : public Shell
{
public:
    bool openUrl(const QString &url) override;
    bool openFile(const QString &path) override;
    bool runProgram(const QString &program, const QStringList &arguments) override;
    void showHelpTopic(const QString &helpFile, int topic) override;
    void showHelpContents(const QString &helpFile) override;
    void searchHelp(const QString &helpFile, const QString &keyword) override;

private:
    HelpWindow &helpWindow();

    QPointer<HelpWindow> m_helpWindow;
};
