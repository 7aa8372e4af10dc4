#include "store/Maintenance.h"

#include "store/EngineError.h"
#include "store/Sql.h"

#include <QDir>
#include <QSqlDriver>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <map>

using namespace Qt::StringLiterals;

namespace Maintenance {

namespace {

sqlite3 *handleOf(const QSqlDatabase &db)
{
    const QVariant handle = db.driver()->handle();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw std::logic_error("the store database is not an SQLite connection");
    return *static_cast<sqlite3 *const *>(handle.constData());
}

bool readsWithoutIndexes(const QSqlDatabase &db, const QString &table)
{
    try {
        // A filter keeps the engine from reading through any index.
        Sql::run(db, u"SELECT count(*) FROM "_s + Sql::quoted(table) + u" NOT INDEXED WHERE 1"_s, {}, table);
        return true;
    } catch (const EDBEngineError &) {
        return false;
    }
}

struct Object {
    QString type;
    QString name;
    QString sql;
};

QList<Object> schemaObjects(const QSqlDatabase &db)
{
    QList<Object> objects;
    QSqlQuery query = Sql::run(db, u"SELECT type, name, sql FROM sqlite_master WHERE sql IS NOT NULL "
                                   "AND name NOT LIKE 'sqlite_%' ORDER BY CASE type WHEN 'table' THEN 0 "
                                   "WHEN 'index' THEN 1 ELSE 2 END, rowid"_s);
    while (query.next())
        objects.append({query.value(0).toString(), query.value(1).toString(), query.value(2).toString()});
    return objects;
}

// The repair copy is attached to the live connection while the rows move.
class Attached
{
public:
    Attached(const QSqlDatabase &db, const QString &file, const QString &table)
        : m_db(db)
    {
        Sql::run(m_db, u"ATTACH DATABASE ? AS repaired"_s, {file}, table);
    }
    ~Attached() { QSqlQuery(m_db).exec(u"DETACH DATABASE repaired"_s); }
    Attached(const Attached &) = delete;
    Attached &operator=(const Attached &) = delete;

private:
    QSqlDatabase m_db;
};

void copyRows(const QSqlDatabase &db, const QString &copyFile, const QString &table, const QList<Object> &objects)
{
    const Attached attached(db, copyFile, table);
    for (const Object &object : objects) {
        if (object.type != u"table"_s)
            continue;
        // The engine keeps every definition starting with the words "CREATE TABLE ".
        Sql::run(db, u"CREATE TABLE repaired."_s + object.sql.mid(13), {}, object.name);
        Sql::run(db, u"INSERT INTO repaired."_s + Sql::quoted(object.name) + u" SELECT * FROM main."_s
                         + Sql::quoted(object.name) + u" NOT INDEXED WHERE 1"_s,
                 {}, object.name);
    }
    if (Sql::scalar(db, u"SELECT count(*) FROM main.sqlite_master WHERE name = 'sqlite_sequence'"_s).toInt() > 0) {
        Sql::run(db, u"DELETE FROM repaired.sqlite_sequence"_s);
        Sql::run(db, u"INSERT INTO repaired.sqlite_sequence SELECT * FROM main.sqlite_sequence"_s);
    }
}

// The copy is built in a separate file, with every row read without the
// indexes, and the indexes built anew from their definitions.
void buildCopy(const QSqlDatabase &db, const QString &copyFile, const QString &table)
{
    const QList<Object> objects = schemaObjects(db);
    copyRows(db, copyFile, table, objects);
    const Sql::ScopedConnection copy(copyFile);
    if (!copy.isOpen())
        throw engineErrorFrom(copy.lastError(), table);
    for (const Object &object : objects) {
        if (object.type != u"table"_s)
            Sql::run(copy.db(), object.sql, {}, object.name);
    }
}

// Writes the copy's pages over the live file under the engine's own locks,
// so other connections to the file see the repaired tables.
void copyBack(const QSqlDatabase &db, const QString &copyFile, const QString &table)
{
    sqlite3 *source = nullptr;
    if (sqlite3_open_v2(copyFile.toUtf8().constData(), &source, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(source);
        throw EDBEngineError(EngineCode::WriteError, {table});
    }
    sqlite3_backup *backup = sqlite3_backup_init(handleOf(db), "main", source, "main");
    int result = backup ? sqlite3_backup_step(backup, -1) : sqlite3_errcode(handleOf(db));
    if (backup)
        result = sqlite3_backup_finish(backup) == SQLITE_OK && result == SQLITE_DONE ? SQLITE_OK : result;
    sqlite3_close(source);
    if (result == SQLITE_BUSY || result == SQLITE_LOCKED)
        throw EDBEngineError(EngineCode::AccessDenied, {table});
    if (result != SQLITE_OK)
        throw EDBEngineError(EngineCode::WriteError, {table});
}

} // namespace

QString connectOptions(int busyTimeoutMs)
{
    return u"QSQLITE_BUSY_TIMEOUT="_s + QString::number(busyTimeoutMs);
}

void configureConnection(const QSqlDatabase &db)
{
    Sql::run(db, u"PRAGMA journal_mode = DELETE"_s);
    Sql::run(db, u"PRAGMA synchronous = FULL"_s);
    Sql::run(db, u"PRAGMA foreign_keys = OFF"_s);
}

void setTemporaryFolder(const QString &folder)
{
    // The engine keeps the folder in a global that must outlive every connection.
    char *previous = sqlite3_temp_directory;
    sqlite3_temp_directory = folder.isEmpty() ? nullptr : sqlite3_mprintf("%s", QDir::toNativeSeparators(folder).toUtf8().constData());
    sqlite3_free(previous);
}

bool tableExists(const QSqlDatabase &db, const QString &table)
{
    return Sql::scalar(db, u"SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"_s,
                       {table}, table)
               .toInt()
           > 0;
}

Columns tableColumns(const QSqlDatabase &db, const QString &table)
{
    Columns columns;
    std::map<int, QString> keyByPosition;
    QSqlQuery info = Sql::run(db, u"PRAGMA table_info("_s + Sql::quoted(table) + u')', {}, table);
    while (info.next()) {
        columns.fields.append(info.value(1).toString());
        if (const int keyPosition = info.value(5).toInt(); keyPosition > 0)
            keyByPosition[keyPosition] = info.value(1).toString();
    }
    for (const auto &[position, field] : keyByPosition)
        columns.primaryKey.append(field);
    return columns;
}

QStringList indexColumns(const QSqlDatabase &db, const QString &sqlIndexName)
{
    QStringList fields;
    QSqlQuery info = Sql::run(db, u"PRAGMA index_info("_s + Sql::quoted(sqlIndexName) + u')');
    while (info.next())
        fields.append(info.value(2).toString());
    return fields;
}

void checkTable(const QSqlDatabase &db, const QString &table)
{
    const QString verdict =
        Sql::scalar(db, u"PRAGMA quick_check("_s + Sql::quoted(table) + u')', {}, table).toString();
    if (verdict == u"ok"_s)
        return;
    if (readsWithoutIndexes(db, table))
        throw EDBEngineError(EngineCode::IndexPagesCorrupt, {table});
    throw EDBEngineError(EngineCode::RecordBuffersCorrupt, {table});
}

void repair(const QSqlDatabase &db, const QString &table)
{
    QTemporaryDir folder;
    if (!folder.isValid())
        throw EDBEngineError(EngineCode::WriteError, {table});
    const QString copyFile = folder.filePath(u"repaired.db"_s);
    buildCopy(db, copyFile, table);
    copyBack(db, copyFile, table);
}

} // namespace Maintenance
