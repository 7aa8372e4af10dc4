#pragma once

#include "store/Record.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>

// Which rows of a table a read returns and in what order: a filter in the
// program's expression language (StoreID='S1' AND Quantity >= 0, empty for
// all rows) and an index name (empty for the primary index).
struct Selection {
    QString filter;
    QString index;
};

// The database module's object for one table. Reads are SQL over the
// table, in primary or secondary index order; writes go one row at a time.
// The object also keeps an index and filter state for the screens and
// reports that show "the table as it is set" (FilterScope restores it).
class TTable
{
public:
    TTable(QString connectionName, QString tableName);

    const QString &name() const { return m_name; }

    // Opening checks that the table exists and is sound; TDM::OpenTable adds
    // the repair. Raise EDBEngineError (TableNotFound, a damage code).
    void open();
    void close();
    bool active() const { return m_active; }

    // The live table's fields in position order and its primary key fields.
    const QStringList &fieldNames() const;
    const QStringList &keyFields() const;
    // The fields of a named index ("" is the primary index).
    QStringList indexFields(const QString &index) const;

    // The state used by reads without an explicit selection.
    void setIndexName(const QString &index);
    const QString &indexName() const { return m_current.index; }
    void setFilter(const QString &expression) { m_filterText = expression; }
    const QString &filter() const { return m_filterText; }
    void setFiltered(bool on) { m_filtered = on; }
    bool filtered() const { return m_filtered; }
    Selection currentSelection() const;

    QList<TRecord> rows() const { return rows(currentSelection()); }
    QList<TRecord> rows(const Selection &selection) const;
    std::optional<TRecord> first() const { return first(currentSelection()); }
    std::optional<TRecord> first(const Selection &selection) const;
    std::optional<TRecord> last() const { return last(currentSelection()); }
    std::optional<TRecord> last(const Selection &selection) const;
    int count() const { return count(currentSelection()); }
    int count(const Selection &selection) const;
    bool isEmpty() const { return count() == 0; }

    // The first row whose fields of the index (primary when "") equal the
    // values, in order; fewer values than index fields match a leading part.
    std::optional<TRecord> findKey(const QVariantList &values, const QString &index = {}) const;

    // A row to fill and post; fields left unset take the table's defaults.
    TRecord newRecord() const;
    // Stores a new row (insert) or the changed fields of a row read from the
    // table (update by its key). The record then holds the stored row,
    // numbers assigned by the table included.
    void post(TRecord &record);
    // Appends a whole record by position; more values than fields is an error.
    TRecord appendRecord(const QVariantList &values);
    void remove(const TRecord &record);

private:
    friend class FilterScope;
    QSqlDatabase db() const;
    void requireOpen() const;
    struct Reading {
        QStringList conditions; // further conditions with bound values
        bool reversed = false;
        int limit = 0;
    };
    static QString whereClause(const Selection &selection, const QStringList &conditions);
    QString selectText(const Selection &selection, const Reading &reading) const;
    QList<TRecord> fetch(const QString &statement, const QVariantList &values) const;
    QString keyCondition() const;
    TRecord readBackInserted(const QVariant &rowId) const;
    void insert(TRecord &record);
    void update(TRecord &record);

    QString m_connection;
    QString m_name;
    bool m_active = false;
    QStringList m_fields;
    QStringList m_key;
    Selection m_current;
    QString m_filterText;
    bool m_filtered = false;
};

// Sets a table's index and filter for a while and puts the previous ones
// back on every path.
class FilterScope
{
public:
    FilterScope(TTable &table, const QString &filter, const QString &index = {});
    ~FilterScope();
    FilterScope(const FilterScope &) = delete;
    FilterScope &operator=(const FilterScope &) = delete;

private:
    TTable &m_table;
    QString m_index;
    QString m_filter;
    bool m_filtered;
};
