#pragma once

#include "store/Sql.h"

#include <QString>
#include <QStringList>

// A connection on a store database file; by default the file is first built
// with every table at 1.1 by the schema code.
class StoreFile
{
public:
    enum class Build { AllTables, Nothing };

    explicit StoreFile(const QString &file, Build build = Build::AllTables, int busyTimeoutMs = 2000);

    const QSqlDatabase &db() const { return m_connection.db(); }
    const QString &connectionName() const { return m_connection.name(); }
    // Runs statements of the program's dialect, throwing on an error.
    void run(const QStringList &statements) const;

private:
    Sql::ScopedConnection m_connection;
};
