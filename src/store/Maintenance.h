#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The pieces of the store database that only the local SQLite engine has:
// connection settings, soundness checks and the repair. Nothing outside
// the database module calls the engine this directly.
namespace Maintenance {

// Rollback journal (a data folder may be shared, where WAL cannot work),
// every commit synced to disk, and a wait of busyTimeoutMs for another till.
QString connectOptions(int busyTimeoutMs);
void configureConnection(const QSqlDatabase &db);
// Where the engine writes its temporary files.
void setTemporaryFolder(const QString &folder);

bool tableExists(const QSqlDatabase &db, const QString &table);

struct Columns {
    QStringList fields;     // in position order
    QStringList primaryKey; // in key order
};
Columns tableColumns(const QSqlDatabase &db, const QString &table);
// The fields of an index by its engine name, empty when there is no such index.
QStringList indexColumns(const QSqlDatabase &db, const QString &sqlIndexName);
// Raises the damage error of the table (index or data pages) when the check fails.
void checkTable(const QSqlDatabase &db, const QString &table);
// Rebuilds the whole file from what can be read of every table, so that
// damaged index pages are made anew; the file keeps its name and place.
void repair(const QSqlDatabase &db, const QString &table);

} // namespace Maintenance
