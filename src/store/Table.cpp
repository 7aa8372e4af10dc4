#include "store/Table.h"

#include "store/Dialect.h"
#include "store/EngineError.h"
#include "store/Maintenance.h"
#include "store/Schema.h"
#include "store/Sql.h"


using namespace Qt::StringLiterals;

TTable::TTable(QString connectionName, QString tableName)
    : m_connection(std::move(connectionName))
    , m_name(std::move(tableName))
{
}

QSqlDatabase TTable::db() const
{
    return QSqlDatabase::database(m_connection, false);
}

void TTable::open()
{
    if (m_active)
        return;
    const QSqlDatabase database = db();
    if (!Maintenance::tableExists(database, m_name))
        throw EDBEngineError(EngineCode::TableNotFound, {m_name});
    Maintenance::checkTable(database, m_name);
    const Maintenance::Columns columns = Maintenance::tableColumns(database, m_name);
    m_fields = columns.fields;
    m_key = columns.primaryKey;
    m_active = true;
}

void TTable::close()
{
    m_active = false;
}

void TTable::requireOpen() const
{
    if (!m_active)
        throw AppError(u"Cannot perform this operation on a closed dataset ("_s + m_name + u')');
}

const QStringList &TTable::fieldNames() const
{
    requireOpen();
    return m_fields;
}

const QStringList &TTable::keyFields() const
{
    requireOpen();
    return m_key;
}

QStringList TTable::indexFields(const QString &index) const
{
    requireOpen();
    if (index.isEmpty())
        return m_key;
    const QStringList fields = Maintenance::indexColumns(db(), Schema::sqlIndexName(m_name, index));
    if (fields.isEmpty())
        throw EDBEngineError::withText(EngineCode::StatementError,
                                       u"Index '"_s + index + u"' does not exist in the table '"_s + m_name + u'\'');
    return fields;
}

void TTable::setIndexName(const QString &index)
{
    indexFields(index);
    m_current.index = index;
}

Selection TTable::currentSelection() const
{
    return {m_filtered ? m_filterText : QString(), m_current.index};
}

QString TTable::whereClause(const Selection &selection, const QStringList &conditions)
{
    QStringList parts = conditions;
    if (!selection.filter.trimmed().isEmpty())
        parts.prepend(u'(' + TranslateDialect(selection.filter) + u')');
    return parts.isEmpty() ? QString() : u" WHERE "_s + parts.join(u" AND "_s);
}

QString TTable::selectText(const Selection &selection, const Reading &reading) const
{
    QString statement = u"SELECT * FROM "_s + Sql::quoted(m_name) + whereClause(selection, reading.conditions);
    QStringList fields = indexFields(selection.index);
    // Rows equal on a secondary index follow the primary key, so the order is always the same.
    for (const QString &field : m_key) {
        if (!fields.contains(field))
            fields.append(field);
    }
    QStringList order;
    for (const QString &field : fields)
        order.append(Sql::quoted(field) + (reading.reversed ? u" DESC"_s : u""_s));
    if (!order.isEmpty())
        statement += u" ORDER BY "_s + order.join(u", "_s);
    if (reading.limit > 0)
        statement += u" LIMIT "_s + QString::number(reading.limit);
    return statement;
}

QList<TRecord> TTable::fetch(const QString &statement, const QVariantList &values) const
{
    QList<TRecord> records;
    QSqlQuery query = Sql::run(db(), statement, values, m_name);
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < m_fields.size(); ++i)
            row.append(query.value(i));
        TRecord record(m_fields, row);
        for (const QString &field : m_key)
            record.m_key.append(record.value(field));
        records.append(record);
    }
    return records;
}

QList<TRecord> TTable::rows(const Selection &selection) const
{
    requireOpen();
    return fetch(selectText(selection, {}), {});
}

std::optional<TRecord> TTable::first(const Selection &selection) const
{
    requireOpen();
    const QList<TRecord> found = fetch(selectText(selection, {.conditions = {}, .limit = 1}), {});
    return found.isEmpty() ? std::nullopt : std::optional<TRecord>(found.first());
}

std::optional<TRecord> TTable::last(const Selection &selection) const
{
    requireOpen();
    const QList<TRecord> found = fetch(selectText(selection, {.conditions = {}, .reversed = true, .limit = 1}), {});
    return found.isEmpty() ? std::nullopt : std::optional<TRecord>(found.first());
}

int TTable::count(const Selection &selection) const
{
    requireOpen();
    const QString statement = u"SELECT count(*) FROM "_s + Sql::quoted(m_name) + whereClause(selection, {});
    return Sql::scalar(db(), statement, {}, m_name).toInt();
}

std::optional<TRecord> TTable::findKey(const QVariantList &values, const QString &index) const
{
    requireOpen();
    const QStringList fields = indexFields(index);
    QStringList conditions;
    for (int i = 0; i < values.size() && i < fields.size(); ++i)
        conditions.append(Sql::quoted(fields[i]) + u" = ?"_s);
    const QString statement = selectText({{}, index}, {.conditions = conditions, .limit = 1});
    const QList<TRecord> found = fetch(statement, values.mid(0, fields.size()));
    return found.isEmpty() ? std::nullopt : std::optional<TRecord>(found.first());
}

TRecord TTable::newRecord() const
{
    requireOpen();
    TRecord record(m_fields, {});
    record.m_new = true;
    return record;
}

void TTable::post(TRecord &record)
{
    requireOpen();
    if (record.isNew())
        insert(record);
    else
        update(record);
}

TRecord TTable::appendRecord(const QVariantList &values)
{
    requireOpen();
    if (values.size() > m_fields.size()) {
        throw EDBEngineError::withText(EngineCode::StatementError,
                                       u"Too many values (%1) for the %2 fields of the table '%3'"_s
                                           .arg(values.size())
                                           .arg(m_fields.size())
                                           .arg(m_name));
    }
    TRecord record = newRecord();
    for (int i = 0; i < values.size(); ++i)
        record.setValue(m_fields[i], values[i]);
    insert(record);
    return record;
}

void TTable::insert(TRecord &record)
{
    QStringList columns;
    QStringList marks;
    QVariantList values;
    for (int i = 0; i < m_fields.size(); ++i) {
        // An empty value leaves the field to its default (and an auto number to the table).
        if (!record.m_changed.contains(i) || record.m_values[i].isNull())
            continue;
        columns.append(Sql::quoted(m_fields[i]));
        marks.append(u"?"_s);
        values.append(record.m_values[i]);
    }
    QString statement = u"INSERT INTO "_s + Sql::quoted(m_name);
    if (columns.isEmpty())
        statement += u" DEFAULT VALUES"_s;
    else
        statement += u" ("_s + columns.join(u", "_s) + u") VALUES ("_s + marks.join(u", "_s) + u')';
    const QSqlQuery query = Sql::run(db(), statement, values, m_name);
    record = readBackInserted(query.lastInsertId());
}

TRecord TTable::readBackInserted(const QVariant &rowId) const
{
    const QList<TRecord> found =
        fetch(u"SELECT * FROM "_s + Sql::quoted(m_name) + u" WHERE rowid = ?"_s, {rowId});
    return found.value(0);
}

QString TTable::keyCondition() const
{
    QStringList conditions;
    for (const QString &field : m_key)
        conditions.append(Sql::quoted(field) + u" IS ?"_s);
    return conditions.join(u" AND "_s);
}

void TTable::update(TRecord &record)
{
    if (record.m_changed.isEmpty())
        return;
    QStringList assignments;
    QVariantList values;
    for (int i = 0; i < m_fields.size(); ++i) {
        if (!record.m_changed.contains(i))
            continue;
        assignments.append(Sql::quoted(m_fields[i]) + u" = ?"_s);
        values.append(record.m_values[i]);
    }
    Sql::run(db(), u"UPDATE "_s + Sql::quoted(m_name) + u" SET "_s + assignments.join(u", "_s) + u" WHERE "_s
                       + keyCondition(),
             values + record.m_key, m_name);
    record.m_changed.clear();
    record.m_key.clear();
    for (const QString &field : m_key)
        record.m_key.append(record.value(field));
}

void TTable::remove(const TRecord &record)
{
    requireOpen();
    Sql::run(db(), u"DELETE FROM "_s + Sql::quoted(m_name) + u" WHERE "_s + keyCondition(), record.m_key, m_name);
}

FilterScope::FilterScope(TTable &table, const QString &filter, const QString &index)
    : m_table(table)
    , m_index(table.indexName())
    , m_filter(table.filter())
    , m_filtered(table.filtered())
{
    table.setIndexName(index);
    table.setFilter(filter);
    table.setFiltered(!filter.isEmpty());
}

FilterScope::~FilterScope()
{
    m_table.setFilter(m_filter);
    m_table.setFiltered(m_filtered);
    // The index was checked when it was first set.
    m_table.m_current.index = m_index;
}
