#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// A small store database in memory, with just the tables and rows the report
// tests read. Each fixture has its own connection, removed when it goes.
class ReportFixture
{
public:
    ReportFixture();
    ~ReportFixture();
    ReportFixture(const ReportFixture &) = delete;
    ReportFixture &operator=(const ReportFixture &) = delete;

    QSqlDatabase database() const;
    // Runs statements in order; fails the test on the first error.
    void run(const QStringList &statements) const;
    // Two invoices of a shop (one sale, one work order), products, payment
    // types, a customer, stock, a refund, a cash count and an end-of-day row,
    // all on 2024-03-15.
    void fillShop() const;

private:
    QString m_connection;
};

// Writes text to a file (the test's own templates).
void writeFile(const QString &path, const QString &text);
