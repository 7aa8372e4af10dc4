#pragma once

#include <QSqlDatabase>
#include <QStringList>

#include <utility>

// One database transaction: rolled back when the guard goes out of scope
// without commit(). Guards nest: an inner guard is a savepoint of the outer
// transaction, so a store that calls another store stays all-or-nothing.
class Transaction
{
public:
    // The table, when given, names what an engine error at the start is about.
    explicit Transaction(const QSqlDatabase &db, const QString &table = {});
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    // Makes the work durable (the outermost commit reaches the disk before it returns).
    void commit();

private:
    void finish(const QString &outerStatement, const QStringList &innerStatements);

    QSqlDatabase m_db;
    QString m_table;
    int m_depth;
    bool m_open = true;
};

// Runs work inside a transaction; commits when it returns, rolls back and
// rethrows when it throws.
template <typename Work>
decltype(auto) withTransaction(const QSqlDatabase &db, Work &&work)
{
    Transaction transaction(db);
    if constexpr (std::is_void_v<decltype(std::forward<Work>(work)())>) {
        std::forward<Work>(work)();
        transaction.commit();
    } else {
        auto result = std::forward<Work>(work)();
        transaction.commit();
        return result;
    }
}
