#pragma once

#include <QString>

// The system services of the helpers: user name, folders, files and launching.
// They go through the System and Shell seams, report their own failures in
// message boxes and never raise.

QString WindowsUserName();
bool AppendLine(const QString &fileName, const QString &line);

enum class FolderKind { ApplicationData };
QString SpecialFolder(FolderKind kind);
QString WindowsFolder();
QString TempFolder();
QString TempFileName(int number);
QString ListFileNames(const QString &folder, const QString &mask);
QString FileTitle(const QString &path);
QString NormalizeFolder(const QString &text);

bool OpenInBrowser(const QString &address, bool ask);
bool LaunchFile(const QString &path);
bool LaunchFileWithParams(const QString &path, const QString &parameters);
