#include "report/ReportData.h"

#include <QMap>

#include <algorithm>

int DataSetAdapter::recordCount() const
{
    return m_source ? m_source->rowCount() : 0;
}

QStringList DataSetAdapter::fieldNames() const
{
    return m_source ? m_source->fieldNames() : QStringList();
}

std::optional<QVariant> DataSetAdapter::value(const QString &field) const
{
    return valueAt(recordNumber(), field);
}

std::optional<QVariant> DataSetAdapter::valueAt(int record, const QString &field) const
{
    if (!m_source || record < 0 || record >= m_source->rowCount())
        return std::nullopt;
    const QStringList fields = m_source->fieldNames();
    const auto column = std::find_if(fields.cbegin(), fields.cend(), [&](const QString &name) {
        return name.compare(field, Qt::CaseInsensitive) == 0;
    });
    if (column == fields.cend())
        return std::nullopt;
    return m_source->value(record, static_cast<int>(column - fields.cbegin()));
}

QStringList UserDataset::fieldNames() const
{
    return {QStringLiteral("RecNo")};
}

std::optional<QVariant> UserDataset::value(const QString &field) const
{
    if (field.compare(u"RecNo", Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return QVariant(recordNumber());
}

namespace {
QMap<QString, QString> &variableList()
{
    static QMap<QString, QString> variables;
    return variables;
}
}

void ReportVariables::set(const QString &name, const QString &text)
{
    variableList().insert(name, text);
}

std::optional<QString> ReportVariables::value(const QString &name)
{
    const auto found = variableList().constFind(name);
    if (found == variableList().constEnd())
        return std::nullopt;
    return *found;
}

QStringList ReportVariables::names()
{
    return variableList().keys();
}

void ReportVariables::clear()
{
    variableList().clear();
}
