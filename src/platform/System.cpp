#include "platform/System.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <pwd.h>
#include <unistd.h>

namespace {
QString withSlash(QString folder)
{
    folder = QDir::fromNativeSeparators(folder);
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}
}

QString RealSystem::userName() const
{
    if (const passwd *entry = getpwuid(geteuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
}

QString RealSystem::applicationDataFolder() const
{
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

QString RealSystem::temporaryFolder() const
{
    return withSlash(QDir::tempPath());
}

QString RealSystem::programFolder() const
{
    return withSlash(QCoreApplication::applicationDirPath());
}
