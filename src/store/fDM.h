#pragma once

#include "config/DataFiles.h"
#include "store/Query.h"
#include "store/Table.h"
#include "store/Transaction.h"

#include <QSet>
#include <QSqlDatabase>
#include <QString>

#include <functional>

class TConfig;

// The program's database module: the connection to the store database
// "kvtl" in the data folder, one table object per table, the general query
// qry1 and the receipt queries. One program-wide instance lives from
// start-up to shutdown (TDM::instance()); tests make their own on a
// temporary data folder.
class TDM
{
public:
    static constexpr int DefaultBusyTimeoutMs = 15000;

    // Creation: the data-files loop (askDataFolder shows the data-missing
    // dialog), the engine's temporary folder, the upgrade, connecting,
    // recording the user's start and registering the Security password.
    TDM(TConfig &config, AskDataFolderFn askDataFolder, int busyTimeoutMs = DefaultBusyTimeoutMs);
    // Records the user's leaving time while still connected; an error there is shown.
    ~TDM();
    TDM(const TDM &) = delete;
    TDM &operator=(const TDM &) = delete;

    // The program-wide instance: the most recently created one still alive.
    static TDM &instance();
    static bool exists();

    QSqlDatabase DB() const;
    // For table objects and queries of tables the module has no component for (PaidOuts).
    const QString &connectionName() const { return m_connectionName; }
    bool connected() const { return m_connected; }
    QString databaseFile() const { return m_file; }

    // Opens a table object; a damaged table is repaired once and opened
    // again, and an error of that second open travels on.
    void OpenTable(TTable &table);
    // Brings Customers, Refunds, Sales and SaleItems from 1.0 to 1.1.
    void UpgradeDatabase();

    // The table object of a table name (letter case ignored), nullptr for none.
    TTable *table(const QString &name);
    QList<TTable *> tables();

    // Runs work in one transaction of DB (see Transaction.h).
    template <typename Work>
    decltype(auto) withTransaction(Work &&work)
    {
        return ::withTransaction(DB(), std::forward<Work>(work));
    }

    // Passwords registered with the connection for encrypted tables.
    void AddPassword(const QString &password) { m_passwords.insert(password); }
    void RemoveAllPasswords() { m_passwords.clear(); }
    bool passwordRegistered(const QString &password) const { return m_passwords.contains(password); }

private:
    void connectDatabase(const QString &dataPath, int busyTimeoutMs);

    TConfig &m_config;
    QString m_connectionName;
    QString m_file;
    bool m_connected = false;
    QSet<QString> m_passwords;
    TDM *m_previous = nullptr;

public:
    TTable tblCustomers;
    TTable tblSales;
    TTable tblProducts;
    TTable tblSalesItems;
    TTable tblRefunds;
    TTable tblPaymentTypes;
    TTable tblCashCount;
    TTable tblEndOfDay;
    TTable tblEmployees;
    TTable tblEmployeeHours;
    TTable tblStores;
    TTable tblInventory;
    TTable tblSuppliers;
    TTable tblInventoryAmounts;
    TTable tblInventoryTypes;
    TTable tblSecurity;
    TTable tblUsers;
    TQuery qry1;
    TQuery qryInvoice;
    TQuery qryInvoiceItems;
};
