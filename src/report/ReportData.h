#pragma once

#include "report/RowSource.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>

// A named dataset a template walks with its bands. While a band repeats, the
// dataset's current record is the one being printed; outside any band it is
// the first.
class ReportDataset
{
public:
    explicit ReportDataset(QString name) : m_name(std::move(name)) {}
    virtual ~ReportDataset() = default;

    QString name() const { return m_name; }
    virtual int recordCount() const = 0;
    // Field names a template may print (the designer lists them).
    virtual QStringList fieldNames() const = 0;
    // The current record's value of a field; nullopt when there is no such
    // field or no current record.
    virtual std::optional<QVariant> value(const QString &field) const = 0;

    // The current record, counted from 0.
    int recordNumber() const { return m_recordNumber; }
    void setRecordNumber(int number) { m_recordNumber = number; }

private:
    QString m_name;
    int m_recordNumber = 0;
};

// A dataset bound to rows of the store database (or any other row source);
// the source can be switched at any time before the report is prepared.
class DataSetAdapter final : public ReportDataset
{
public:
    using ReportDataset::ReportDataset;

    void setSource(std::shared_ptr<const RowSource> source) { m_source = std::move(source); }
    std::shared_ptr<const RowSource> source() const { return m_source; }

    int recordCount() const override;
    QStringList fieldNames() const override;
    std::optional<QVariant> value(const QString &field) const override;

    // The value of a field in any record (aggregates read every record).
    std::optional<QVariant> valueAt(int record, const QString &field) const;

private:
    std::shared_ptr<const RowSource> m_source;
};

// A dataset without data: a fixed number of records whose current record
// number the screen reads while it answers the template's value requests
// (the grid reports walk their grid this way). Its one field is RecNo.
class UserDataset final : public ReportDataset
{
public:
    using ReportDataset::ReportDataset;

    void setRecordCount(int count) { m_count = count < 0 ? 0 : count; }
    int recordCount() const override { return m_count; }
    QStringList fieldNames() const override;
    std::optional<QVariant> value(const QString &field) const override;

private:
    int m_count = 0;
};

// The one program-wide list of report variables: set by name to a text
// before a report is prepared, read by every report object's templates.
class ReportVariables
{
public:
    static void set(const QString &name, const QString &text);
    static std::optional<QString> value(const QString &name);
    static QStringList names();
    static void clear();
};
