#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// Running one statement on the store database. Failures become
// EDBEngineError, named after the table the statement is about.
namespace Sql {

// Runs a statement written for the engine, with bound values.
QSqlQuery run(const QSqlDatabase &db, const QString &statement, const QVariantList &values = {},
              const QString &table = {});
// Runs a statement of the program's dialect (translated first).
QSqlQuery runDialect(const QSqlDatabase &db, const QString &statement, const QString &table = {});
// The first column of the first row, null when there is no row.
QVariant scalar(const QSqlDatabase &db, const QString &statement, const QVariantList &values = {},
                const QString &table = {});
// A name quoted for the engine.
QString quoted(const QString &name);
// A value as the engine stores it: dates and times as ISO text, truth values as 0/1.
QVariant storedValue(const QVariant &value);

// A connection of its own on a database file, for a short task (a check, a
// repair copy, a tool); closed and removed when it goes out of scope.
class ScopedConnection
{
public:
    explicit ScopedConnection(const QString &file, const QString &connectOptions = {});
    ~ScopedConnection();
    ScopedConnection(const ScopedConnection &) = delete;
    ScopedConnection &operator=(const ScopedConnection &) = delete;

    // Whether the file could be opened; lastError() says why not.
    bool isOpen() const { return m_db.isOpen(); }
    QSqlError lastError() const { return m_db.lastError(); }
    const QSqlDatabase &db() const { return m_db; }
    const QString &name() const { return m_name; }

private:
    QString m_name;
    QSqlDatabase m_db;
};

} // namespace Sql
