#include "config/SystemHelpers.h"

#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "platform/System.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>

namespace {

// Longer login names than this are refused, as the user records have room for no more.
constexpr qsizetype longestUserName = 29;

QString withTrailingSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

void showLaunchError(const QString &text)
{
    Dialogs::instance().error(QStringLiteral("Launch Error"), text);
}

bool launchedOrReported(bool launched, const QString &path)
{
    if (!launched)
        showLaunchError(QStringLiteral("Could not launch ") + path);
    return launched;
}

bool appendBytes(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

} // namespace

QString WindowsUserName()
{
    const QString name = System::instance().userName();
    if (name.isEmpty() || name.size() > longestUserName)
        return QStringLiteral("Error");
    const QString trimmed = name.trimmed();
    return trimmed.isEmpty() ? QStringLiteral("Blank") : trimmed;
}

bool AppendLine(const QString &fileName, const QString &line)
{
    if (appendBytes(fileName, (line + QStringLiteral("\r\n")).toUtf8()))
        return true;
    Dialogs::instance().error(QStringLiteral("Access Error"), QStringLiteral("Could not access ") + fileName);
    return false;
}

QString SpecialFolder(FolderKind kind)
{
    switch (kind) {
    case FolderKind::ApplicationData: {
        const QString folder = System::instance().applicationDataFolder();
        return folder.isEmpty() ? QString() : withTrailingSlash(folder);
    }
    }
    return QString();
}

// There is no Windows folder here; the user's home folder is the fallback
// for settings when the system names no application-data folder.
QString WindowsFolder()
{
    const QString home = QDir::homePath();
    return QFileInfo(home).isDir() ? withTrailingSlash(home) : home;
}

QString TempFolder()
{
    return System::instance().temporaryFolder();
}

QString TempFileName(int number)
{
    const QString folder = withTrailingSlash(TempFolder());
    if (number != 0) {
        // A name made from the number's low 16 bits; the file is not created.
        const auto unique = static_cast<quint16>(number);
        return folder + QStringLiteral("_TC") + QString::number(unique, 16).toUpper() + QStringLiteral(".tmp");
    }
    QTemporaryFile file(folder + QStringLiteral("_TCXXXXXX.tmp"));
    file.setAutoRemove(false);
    return file.open() ? file.fileName() : QString();
}

QString ListFileNames(const QString &folder, const QString &mask)
{
    // The mask may carry folders of its own ("Reports/*.frf").
    const QFileInfo pattern(folder + mask);
    const QStringList entries = QDir(pattern.path()).entryList(
        {pattern.fileName()}, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    QStringList titles;
    for (const QString &entry : entries)
        titles.append(FileTitle(entry));
    return titles.join(QStringLiteral("\r\n"));
}

QString FileTitle(const QString &path)
{
    const QString name = path.mid(std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return name;
    return name.left(name.indexOf(name.mid(dot)));
}

QString NormalizeFolder(const QString &text)
{
    return withTrailingSlash(text.trimmed());
}

bool OpenInBrowser(const QString &address, bool ask)
{
    if (ask
        && Dialogs::instance().ask(QStringLiteral("Connect to the Internet now?"), Dialogs::Kind::Question,
                                   Dialogs::Buttons(Dialogs::Yes) | Dialogs::No, Dialogs::Yes)
            != Dialogs::Yes)
        return false;
    if (Shell::instance().openUrl(address))
        return true;
    showLaunchError(QStringLiteral("Could not start your Internet browser"));
    return false;
}

bool LaunchFile(const QString &path)
{
    return launchedOrReported(Shell::instance().openFile(path), path);
}

bool LaunchFileWithParams(const QString &path, const QString &parameters)
{
    return launchedOrReported(Shell::instance().runProgram(path, QProcess::splitCommand(parameters)), path);
}
