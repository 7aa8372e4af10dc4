#include "app/Help.h"

#include "platform/Shell.h"

namespace {
QString &currentHelpFile()
{
    static QString helpFile = ProgramHelpFile(QString());
    return helpFile;
}
}

QString ProgramHelpFile(const QString &programPath)
{
    return programPath + QStringLiteral("help/");
}

QString OtherProductsHelpFile(const QString &programPath)
{
    return programPath + QStringLiteral("help/kestrel/");
}

QString HelpFile()
{
    return currentHelpFile();
}

void SetHelpFile(const QString &helpFile)
{
    currentHelpFile() = helpFile;
}

void ShowHelpTopic(int topic)
{
    Shell::instance().showHelpTopic(HelpFile(), topic);
}
