#pragma once

#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <vector>

// Rows a report reads through one of its datasets: field names and values.
// The report engine sees only this, so any table, query or in-memory list
// can feed a template.
class RowSource
{
public:
    virtual ~RowSource() = default;
    virtual QStringList fieldNames() const = 0;
    virtual int rowCount() const = 0;
    // The value of a field (by its position in fieldNames()) in a row.
    virtual QVariant value(int row, int field) const = 0;
};

// Keeps the rows a predicate accepts; the record is that of the source's row.
using RecordFilter = std::function<bool(const QSqlRecord &record)>;

// The filter "Field = value" (text compared exactly, numbers as numbers).
RecordFilter fieldEquals(const QString &field, const QVariant &value);

// The rows of an SQL statement on a database connection, run when first read
// and again after the statement or the filter changes. The statement goes to
// the database as it is: callers that write the program's SQL dialect
// translate it first.
class QueryRows final : public RowSource
{
public:
    QueryRows(QSqlDatabase database, QString statement);

    void setStatement(const QString &statement);
    QString statement() const { return m_statement; }
    // Restricts the rows to those the filter accepts, until clearFilter().
    void setFilter(RecordFilter filter);
    void clearFilter();
    bool filtered() const { return static_cast<bool>(m_filter); }
    // Forgets the rows read, so that the next read runs the statement again.
    void refresh();

    QStringList fieldNames() const override;
    int rowCount() const override;
    QVariant value(int row, int field) const override;

private:
    // Runs the statement when the rows are stale; raises AppError with the
    // database's text when it fails.
    void fetch() const;

    QSqlDatabase m_database;
    QString m_statement;
    RecordFilter m_filter;
    mutable bool m_fresh = false;
    mutable QStringList m_fields;
    mutable std::vector<QVariantList> m_rows;
};

// Rows held in memory: fixtures, grids, rows computed by a screen.
class ListRows final : public RowSource
{
public:
    ListRows(QStringList fields, std::vector<QVariantList> rows);

    QStringList fieldNames() const override { return m_fields; }
    int rowCount() const override { return static_cast<int>(m_rows.size()); }
    QVariant value(int row, int field) const override;

private:
    QStringList m_fields;
    std::vector<QVariantList> m_rows;
};
