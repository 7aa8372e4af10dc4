#pragma once

#include "store/Record.h"

#include <QList>
#include <QString>

// An SQL query of the database module (qry1, qryInvoice, qryInvoiceItems).
// Its text is in the program's dialect; opening runs it and keeps the rows.
// A record filter restricts the rows of the open query (Invoice='2412000007').
class TQuery
{
public:
    explicit TQuery(QString connectionName);

    void setSQL(const QString &text);
    const QString &SQL() const { return m_sql; }
    void setFilter(const QString &expression);
    const QString &filter() const { return m_filter; }
    void setFiltered(bool on);
    bool filtered() const { return m_filtered; }

    // Runs the statement (and the record filter when it is on) and keeps the rows.
    void open();
    void close();
    bool active() const { return m_active; }
    // Runs a statement that returns no rows; the number of rows it changed.
    int execSQL();

    const QList<TRecord> &rows() const { return m_rows; }
    bool isEmpty() const { return m_rows.isEmpty(); }
    QStringList fieldNames() const { return m_fields; }
    // A field of the first row; null (and "" as text) when there is none.
    QVariant value(const QString &field) const;
    QString text(const QString &field) const { return value(field).toString(); }

    // The engine's statement that open() runs, for views that show the result.
    QString engineStatement() const;

private:
    void reopenIfActive();

    QString m_connection;
    QString m_sql;
    QString m_filter;
    bool m_filtered = false;
    bool m_active = false;
    QStringList m_fields;
    QList<TRecord> m_rows;
};
