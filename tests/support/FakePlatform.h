#pragma once

#include "platform/Clock.h"
#include "platform/Printing.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "report/PreparedReport.h"

#include <QDateTime>
#include <QList>
#include <QStringList>

// A clock that stands still at the time a test sets.
class FakeClock final : public Clock
{
public:
    QDateTime current{QDate(2024, 3, 15), QTime(10, 30)};
    QDateTime now() const override { return current; }
};

// A user and folders of the test's choosing.
class FakeSystem final : public System
{
public:
    QString user = QStringLiteral("cashier");
    QString dataHome;
    QString temp;
    QString program;
    QString userName() const override { return user; }
    QString applicationDataFolder() const override { return dataHome; }
    QString temporaryFolder() const override { return temp; }
    QString programFolder() const override { return program; }
};

// Records what would have been handed to the desktop.
class FakeShell final : public Shell
{
public:
    struct HelpRequest {
        QString file;
        int topic = 0;
        QString keyword;
        bool contents = false;
        bool search = false;
    };
    QStringList urls;
    QStringList files;
    QStringList programs;
    QList<HelpRequest> help;
    bool succeed = true;

    bool openUrl(const QString &url) override { urls.append(url); return succeed; }
    bool openFile(const QString &path) override { files.append(path); return succeed; }
    bool runProgram(const QString &program, const QStringList &arguments) override
    {
        programs.append((QStringList{program} + arguments).join(u' '));
        return succeed;
    }
    void showHelpTopic(const QString &file, int topic) override { help.append({file, topic, {}, false, false}); }
    void showHelpContents(const QString &file) override { help.append({file, 0, {}, true, false}); }
    void searchHelp(const QString &file, const QString &keyword) override { help.append({file, 0, keyword, false, true}); }
};

// Reports a printer (or none, with an empty name) and keeps a copy of every
// report that would have been previewed or printed, so that tests can read
// its pages and text after the caller's own report object is gone. Like the
// real print dialog, it prints nothing when the report has no pages.
class FakePrinting final : public Printing
{
public:
    QString printer = QStringLiteral("Receipt printer");
    QList<PreparedReport> previewed;
    QList<PreparedReport> printed;
    QString defaultPrinterName() const override { return printer; }
    void preview(const PreparedReport &report) override { previewed.append(report); }
    void print(const PreparedReport &report) override { printed.append(report); }
};
