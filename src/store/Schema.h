#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

// The store database's tables, fields (in position order), keys and indexes.
// Dates, times and date-times are ISO text, truth values 0/1, money and
// float floating point. The program opens and upgrades this schema; only
// the data folder tool and test fixtures build it.

enum class FieldType { Text, Integer, AutoIncrement, Float, Money, Boolean, Date, Time, DateTime, Memo };

struct FieldDef {
    QString name;
    FieldType type;
    int size = 0;          // text width, 0 for none fixed
    QVariant defaultValue; // null for none
};

struct IndexDef {
    QString name;          // the name the program asks for ("StoreID", "HomePhone", ...)
    QStringList fields;
};

struct SchemaVersion {
    int major = 0;
    int minor = 0;
    friend bool operator==(const SchemaVersion &, const SchemaVersion &) = default;
};

inline constexpr SchemaVersion Version1_0{1, 0};
inline constexpr SchemaVersion Version1_1{1, 1};

struct TableDef {
    QString name;
    QList<FieldDef> fields;
    QStringList primaryKey;
    QList<IndexDef> indexes;

    int fieldIndex(const QString &field) const; // -1 when the table has no such field
    const FieldDef *field(const QString &field) const;
    const IndexDef *index(const QString &indexName) const;
};

namespace Schema {

// Every table, in the order the data manager lists them.
QStringList tableNames();
// The tables that carry a schema version and have a 1.0 layout.
QStringList versionedTables();
// The tables a data folder must hold, in the order they are checked.
QStringList requiredTables();
// The table's definition at 1.1 (or at 1.0 for a versioned table); throws on an unknown name.
TableDef table(const QString &name, SchemaVersion version = Version1_1);

// The engine's name of one of the table's indexes (index names are global in the file).
QString sqlIndexName(const QString &table, const QString &index);
// A field's column type in the engine, and its whole column definition.
QString columnType(const FieldDef &field);
QString columnDefinition(const FieldDef &field);
// The statement that creates one index of the table.
QString createIndexStatement(const QString &table, const IndexDef &index);
// The statements that create a table (under another name when given), its indexes and triggers.
QStringList createStatements(const TableDef &table, const QString &asName = {});

// Creates the version table when missing.
void createVersionTable(const QSqlDatabase &db);
// A table's stamped version, {0, 0} when it carries none.
SchemaVersion readVersion(const QSqlDatabase &db, const QString &table);
void stampVersion(const QSqlDatabase &db, const QString &table, SchemaVersion version);

// Builds one table at the given version (stamping versioned tables), in one transaction.
void createTable(const QSqlDatabase &db, const QString &name, SchemaVersion version = Version1_1);
// Builds every table at 1.1 and the version table, in one transaction.
void createDatabase(const QSqlDatabase &db);

} // namespace Schema
