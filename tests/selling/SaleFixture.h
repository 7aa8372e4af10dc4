#pragma once

#include "TestEnvironment.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

class TConfig;
class TDM;

// A store database in the test's data folder, with the configuration and
// the database module on it, and small helpers to fill and read tables.
class SaleFixture
{
public:
    SaleFixture();
    ~SaleFixture();

    TestEnvironment &env() { return m_env; }
    TConfig &config() { return *m_config; }
    TDM &dm() { return *m_dm; }

    // Runs a statement on the store database.
    void exec(const QString &statement, const QVariantList &values = {});
    QVariant scalar(const QString &statement);
    int count(const QString &table);

    void addProduct(const QString &id, const QString &description, const QString &upc, double price);
    void addPaymentTypes(const QStringList &names);
    void addBatch(const QString &store, const QString &product, const QDate &date, int quantity,
                  const QString &supplier = QStringLiteral("SUP"), int type = 0);
    QList<int> batchQuantities(const QString &store, const QString &product);
    void writeListFiles();
    // The lines of Errors.log in the working folder.
    QStringList errorLog() const;

private:
    TestEnvironment m_env;
    std::unique_ptr<TConfig> m_config;
    std::unique_ptr<TDM> m_dm;
};
