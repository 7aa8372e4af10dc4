#pragma once

#include <QSqlDatabase>
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

} // namespace Sql
