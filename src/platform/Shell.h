#pragma once

#include "platform/Seam.h"

#include <QString>

// Hands things to the desktop: web and mail addresses, files, programs and
// the help window. Each returns false when the desktop could not do it.
class Shell : public Seam<Shell>
{
public:
    virtual bool openUrl(const QString &url) = 0;
    virtual bool openFile(const QString &path) = 0;
    virtual bool runProgram(const QString &program, const QStringList &arguments) = 0;
    // Opens a help file at a numbered topic; topic 0 opens its contents.
    virtual void showHelpTopic(const QString &helpFile, int topic) = 0;
    virtual void showHelpContents(const QString &helpFile) = 0;
    virtual void searchHelp(const QString &helpFile, const QString &keyword) = 0;
};
