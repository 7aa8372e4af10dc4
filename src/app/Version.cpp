#include "app/Version.h"

#include <QLocale>

QString VersionText()
{
    return QStringLiteral("Version ") + QLocale().toString(ProgramVersion, 'f', 2);
}

QString BuildText()
{
    return QStringLiteral("Build ") + ProgramBuild();
}
