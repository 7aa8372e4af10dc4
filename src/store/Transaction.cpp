#include "store/Transaction.h"

#include "store/Sql.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace {

// Open guards per connection; the engine allows one transaction per connection.
// A connection belongs to the thread that made it, and so does its count.
QHash<QString, int> &depths()
{
    thread_local QHash<QString, int> open;
    return open;
}

QString savepointName(int depth) { return u"kvtl_"_s + QString::number(depth); }

} // namespace

Transaction::Transaction(const QSqlDatabase &db, const QString &table)
    : m_db(db)
    , m_table(table)
    , m_depth(depths().value(db.connectionName()))
{
    // Taking the write lock at the start lets a second till wait on the busy
    // timeout instead of failing in the middle of the work.
    if (m_depth == 0)
        Sql::run(m_db, u"BEGIN IMMEDIATE"_s, {}, table);
    else
        Sql::run(m_db, u"SAVEPOINT "_s + savepointName(m_depth), {}, table);
    depths()[db.connectionName()] = m_depth + 1;
}

Transaction::~Transaction()
{
    if (!m_open)
        return;
    try {
        finish({u"ROLLBACK"_s}, {u"ROLLBACK TO "_s, u"RELEASE "_s});
    } catch (...) {
        // A failed rollback leaves nothing to undo: the engine has already ended the transaction.
        depths()[m_db.connectionName()] = m_depth;
    }
}

void Transaction::commit()
{
    // Should the commit fail (another till holds the file), the guard stays
    // open and its destructor rolls the work back.
    finish({u"COMMIT"_s}, {u"RELEASE "_s});
}

void Transaction::finish(const QString &outerStatement, const QStringList &innerStatements)
{
    if (m_depth == 0) {
        Sql::run(m_db, outerStatement, {}, m_table);
    } else {
        for (const QString &statement : innerStatements)
            Sql::run(m_db, statement + savepointName(m_depth), {}, m_table);
    }
    m_open = false;
    depths()[m_db.connectionName()] = m_depth;
}
