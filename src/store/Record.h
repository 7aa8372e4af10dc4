#pragma once

#include <QDate>
#include <QDateTime>
#include <QSet>
#include <QStringList>
#include <QTime>
#include <QVariant>
#include <QVariantList>

// One row of a table or a query: field names in position order and their
// values. A row read from a table remembers its key, so that it can be
// changed and posted back (TTable::post) or deleted (TTable::remove).
class TRecord
{
public:
    TRecord() = default;
    TRecord(const QStringList &fieldNames, const QVariantList &values);

    const QStringList &fieldNames() const { return m_names; }
    int fieldCount() const { return int(m_names.size()); }
    // The field's position (letter case ignored), -1 when there is no such field.
    int indexOf(const QString &field) const;
    bool contains(const QString &field) const { return indexOf(field) >= 0; }

    // Raise AppError "Field 'X' not found" for a name the row lacks.
    QVariant value(const QString &field) const;
    QVariant value(int position) const { return m_values.value(position); }
    void setValue(const QString &field, const QVariant &value);
    bool isNull(const QString &field) const { return value(field).isNull(); }

    // Typed reads; an empty field reads as "", 0, false or an invalid date.
    QString asString(const QString &field) const;
    int asInteger(const QString &field) const;
    double asFloat(const QString &field) const;
    bool asBoolean(const QString &field) const;
    QDate asDate(const QString &field) const;
    QTime asTime(const QString &field) const;
    QDateTime asDateTime(const QString &field) const;

    // A row made by TTable::newRecord that has not been posted yet.
    bool isNew() const { return m_new; }
    // The fields set since the row was read or made.
    const QSet<int> &changed() const { return m_changed; }
    const QVariantList &values() const { return m_values; }

private:
    friend class TTable;
    int positionOf(const QString &field) const;

    QStringList m_names;
    QVariantList m_values;
    QVariantList m_key;      // the key the row was read with, for post and remove
    QSet<int> m_changed;
    bool m_new = false;
};
