#include "report/RowSource.h"

#include "report/Expression.h"

#include "platform/AppError.h"

#include <QSqlError>
#include <QSqlQuery>

RecordFilter fieldEquals(const QString &field, const QVariant &value)
{
    return [field, value](const QSqlRecord &record) {
        const QVariant stored = record.value(field);
        if (isNumericValue(value) && isNumericValue(stored))
            return stored.toDouble() == value.toDouble();
        return stored.toString() == value.toString();
    };
}

QueryRows::QueryRows(QSqlDatabase database, QString statement)
    : m_database(std::move(database))
    , m_statement(std::move(statement))
{
}

void QueryRows::setStatement(const QString &statement)
{
    m_statement = statement;
    refresh();
}

void QueryRows::setFilter(RecordFilter filter)
{
    m_filter = std::move(filter);
    refresh();
}

void QueryRows::clearFilter()
{
    m_filter = nullptr;
    refresh();
}

void QueryRows::refresh()
{
    m_fresh = false;
}

void QueryRows::fetch() const
{
    if (m_fresh)
        return;
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!query.exec(m_statement))
        throw AppError(query.lastError().text());
    m_fields.clear();
    m_rows.clear();
    const QSqlRecord shape = query.record();
    for (int i = 0; i < shape.count(); ++i)
        m_fields.append(shape.fieldName(i));
    while (query.next()) {
        const QSqlRecord record = query.record();
        if (m_filter && !m_filter(record))
            continue;
        QVariantList row;
        row.reserve(record.count());
        for (int i = 0; i < record.count(); ++i)
            row.append(record.value(i));
        m_rows.push_back(std::move(row));
    }
    m_fresh = true;
}

QStringList QueryRows::fieldNames() const
{
    fetch();
    return m_fields;
}

int QueryRows::rowCount() const
{
    fetch();
    return static_cast<int>(m_rows.size());
}

QVariant QueryRows::value(int row, int field) const
{
    fetch();
    if (row < 0 || row >= rowCount() || field < 0 || field >= m_rows[row].size())
        return {};
    return m_rows[row][field];
}

ListRows::ListRows(QStringList fields, std::vector<QVariantList> rows)
    : m_fields(std::move(fields))
    , m_rows(std::move(rows))
{
}

QVariant ListRows::value(int row, int field) const
{
    if (row < 0 || row >= rowCount() || field < 0 || field >= m_rows[row].size())
        return {};
    return m_rows[row][field];
}
