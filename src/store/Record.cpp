#include "store/Record.h"

#include "platform/AppError.h"

using namespace Qt::StringLiterals;

TRecord::TRecord(const QStringList &fieldNames, const QVariantList &values)
    : m_names(fieldNames)
    , m_values(values)
{
    m_values.resize(m_names.size());
}

int TRecord::indexOf(const QString &field) const
{
    for (int i = 0; i < m_names.size(); ++i) {
        if (m_names[i].compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int TRecord::positionOf(const QString &field) const
{
    const int i = indexOf(field);
    if (i < 0)
        throw AppError(u"Field '"_s + field + u"' not found"_s);
    return i;
}

QVariant TRecord::value(const QString &field) const
{
    return m_values[positionOf(field)];
}

void TRecord::setValue(const QString &field, const QVariant &value)
{
    const int i = positionOf(field);
    m_values[i] = value;
    m_changed.insert(i);
}

QString TRecord::asString(const QString &field) const
{
    return value(field).toString();
}

int TRecord::asInteger(const QString &field) const
{
    return value(field).toInt();
}

double TRecord::asFloat(const QString &field) const
{
    return value(field).toDouble();
}

bool TRecord::asBoolean(const QString &field) const
{
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QString)
        return v.toString().compare(u"true"_s, Qt::CaseInsensitive) == 0 || v.toString().toInt() != 0;
    return v.toInt() != 0;
}

QDate TRecord::asDate(const QString &field) const
{
    return QDate::fromString(asString(field).left(10), Qt::ISODate);
}

QTime TRecord::asTime(const QString &field) const
{
    const QString text = asString(field);
    // A time may be stored alone or as the time part of a date-time.
    return QTime::fromString(text.size() > 8 ? text.right(8) : text, Qt::ISODate);
}

QDateTime TRecord::asDateTime(const QString &field) const
{
    const QString text = asString(field);
    QDateTime stamp = QDateTime::fromString(text, u"yyyy-MM-dd hh:mm:ss"_s);
    if (!stamp.isValid())
        stamp = QDateTime::fromString(text, Qt::ISODate);
    if (!stamp.isValid() && text.size() == 10)
        stamp = QDateTime(QDate::fromString(text, Qt::ISODate), QTime(0, 0));
    return stamp;
}
