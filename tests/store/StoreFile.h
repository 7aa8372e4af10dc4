#pragma once

#include <QSqlDatabase>
#include <QString>

// A connection on a store database file; by default the file is first built
// with every table at 1.1 by the schema code.
class StoreFile
{
public:
    enum class Build { AllTables, Nothing };

    explicit StoreFile(const QString &file, Build build = Build::AllTables, int busyTimeoutMs = 2000);
    ~StoreFile();
    StoreFile(const StoreFile &) = delete;
    StoreFile &operator=(const StoreFile &) = delete;

    QSqlDatabase db() const;
    const QString &connectionName() const { return m_name; }
    // Runs statements of the program's dialect, failing the test on an error.
    void run(const QStringList &statements) const;

private:
    QString m_name;
};
