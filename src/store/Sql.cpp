#include "store/Sql.h"

#include "store/Dialect.h"
#include "store/EngineError.h"

#include <QDate>
#include <QDateTime>
#include <QSqlError>
#include <QTime>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace {

// An empty date stays empty in the table rather than becoming empty text.
template <typename DateOrTime>
QVariant textOrNull(const DateOrTime &value, const QString &format)
{
    return value.isValid() ? QVariant(value.toString(format)) : QVariant();
}

} // namespace

namespace Sql {

QSqlQuery run(const QSqlDatabase &db, const QString &statement, const QVariantList &values,
              const QString &table)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(statement))
        throw engineErrorFrom(query.lastError(), table);
    for (const QVariant &value : values)
        query.addBindValue(storedValue(value));
    if (!query.exec())
        throw engineErrorFrom(query.lastError(), table);
    return query;
}

QSqlQuery runDialect(const QSqlDatabase &db, const QString &statement, const QString &table)
{
    return run(db, TranslateDialect(statement), {}, table);
}

QVariant scalar(const QSqlDatabase &db, const QString &statement, const QVariantList &values,
                const QString &table)
{
    QSqlQuery query = run(db, statement, values, table);
    return query.next() ? query.value(0) : QVariant();
}

ScopedConnection::ScopedConnection(const QString &file, const QString &connectOptions)
    : m_name(u"kvtl-scoped-"_s + QUuid::createUuid().toString())
    , m_db(QSqlDatabase::addDatabase(u"QSQLITE"_s, m_name))
{
    m_db.setDatabaseName(file);
    m_db.setConnectOptions(connectOptions);
    m_db.open();
}

ScopedConnection::~ScopedConnection()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

QString quoted(const QString &name)
{
    return u'"' + QString(name).replace(u'"', u"\"\""_s) + u'"';
}

QVariant storedValue(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    case QMetaType::QDate:
        return textOrNull(value.toDate(), u"yyyy-MM-dd"_s);
    case QMetaType::QTime:
        return textOrNull(value.toTime(), u"hh:mm:ss"_s);
    case QMetaType::QDateTime:
        return textOrNull(value.toDateTime(), u"yyyy-MM-dd hh:mm:ss"_s);
    default:
        return value;
    }
}

} // namespace Sql
