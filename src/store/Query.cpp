#include "store/Query.h"

#include "store/Dialect.h"
#include "store/Sql.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

TQuery::TQuery(QString connectionName)
    : m_connection(std::move(connectionName))
{
}

void TQuery::setSQL(const QString &text)
{
    close();
    m_sql = text;
}

void TQuery::setFilter(const QString &expression)
{
    m_filter = expression;
    reopenIfActive();
}

void TQuery::setFiltered(bool on)
{
    m_filtered = on;
    reopenIfActive();
}

void TQuery::reopenIfActive()
{
    if (m_active)
        open();
}

QString TQuery::engineStatement() const
{
    const QString statement = TranslateDialect(m_sql);
    if (!m_filtered || m_filter.trimmed().isEmpty())
        return statement;
    return u"SELECT * FROM ("_s + statement + u") WHERE "_s + TranslateDialect(m_filter);
}

void TQuery::open()
{
    close();
    QSqlQuery query = Sql::run(QSqlDatabase::database(m_connection, false), engineStatement());
    const QSqlRecord shape = query.record();
    for (int i = 0; i < shape.count(); ++i)
        m_fields.append(shape.fieldName(i));
    while (query.next()) {
        QVariantList values;
        for (int i = 0; i < shape.count(); ++i)
            values.append(query.value(i));
        m_rows.append(TRecord(m_fields, values));
    }
    m_active = true;
}

void TQuery::close()
{
    m_active = false;
    m_fields.clear();
    m_rows.clear();
}

int TQuery::execSQL()
{
    close();
    return Sql::runDialect(QSqlDatabase::database(m_connection, false), m_sql).numRowsAffected();
}

QVariant TQuery::value(const QString &field) const
{
    return m_rows.isEmpty() ? QVariant() : m_rows.first().value(field);
}
