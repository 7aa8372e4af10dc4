#include "store/fDM.h"

#include "config/Config.h"
#include "platform/Dialogs.h"
#include "platform/Guarded.h"
#include "platform/System.h"
#include "store/EngineError.h"
#include "store/Maintenance.h"
#include "store/Schema.h"
#include "store/Upgrade.h"
#include "store/Users.h"

#include <QFileInfo>
#include <QSqlError>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

TDM *&current()
{
    static TDM *instance = nullptr;
    return instance;
}

// The connection is named after the database; a second module alive at the
// same time (a second till in a test) gets a name of its own.
QString freeConnectionName()
{
    QString name = u"kvtl"_s;
    for (int n = 2; QSqlDatabase::contains(name); ++n)
        name = u"kvtl-"_s + QString::number(n);
    return name;
}

const QString SecurityPassword = u"plintok"_s;

} // namespace

TDM::TDM(TConfig &config, AskDataFolderFn askDataFolder, int busyTimeoutMs)
    : m_config(config)
    , m_connectionName(freeConnectionName())
    , tblCustomers(m_connectionName, u"Customers"_s)
    , tblSales(m_connectionName, u"Sales"_s)
    , tblProducts(m_connectionName, u"Products"_s)
    , tblSalesItems(m_connectionName, u"SaleItems"_s)
    , tblRefunds(m_connectionName, u"Refunds"_s)
    , tblPaymentTypes(m_connectionName, u"PaymentTypes"_s)
    , tblCashCount(m_connectionName, u"CashCount"_s)
    , tblEndOfDay(m_connectionName, u"EndOfDay"_s)
    , tblEmployees(m_connectionName, u"Employees"_s)
    , tblEmployeeHours(m_connectionName, u"EmployeeHours"_s)
    , tblStores(m_connectionName, u"Stores"_s)
    , tblInventory(m_connectionName, u"Inventory"_s)
    , tblSuppliers(m_connectionName, u"Suppliers"_s)
    , tblInventoryAmounts(m_connectionName, u"InventoryAmounts"_s)
    , tblInventoryTypes(m_connectionName, u"InventoryTypes"_s)
    , tblSecurity(m_connectionName, u"Security"_s)
    , tblUsers(m_connectionName, u"Users"_s)
    , qry1(m_connectionName)
    , qryInvoice(m_connectionName)
    , qryInvoiceItems(m_connectionName)
{
    CheckDataFiles(m_config, askDataFolder);
    m_previous = current();
    current() = this;
    Maintenance::setTemporaryFolder(System::instance().temporaryFolder());
    connectDatabase(m_config.DataPath, busyTimeoutMs);
    if (m_connected) {
        guarded([this] { UpgradeDatabase(); });
        guarded([this] { RecordUserIn(*this); });
    }
    AddPassword(SecurityPassword);
}

TDM::~TDM()
{
    if (m_connected)
        guarded([this] { RecordUserOut(*this); });
    current() = m_previous;
    {
        QSqlDatabase db = DB();
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    // The temporary folder may go before the process does (a test's folder).
    Maintenance::setTemporaryFolder({});
}

TDM &TDM::instance()
{
    if (!current())
        throw std::logic_error("the database module is used before it was created");
    return *current();
}

bool TDM::exists()
{
    return current() != nullptr;
}

QSqlDatabase TDM::DB() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

// The program never makes a database file: a folder without one (the user
// gave up on the data-missing dialog) leaves the module unconnected, and
// every table then reports that it does not exist.
void TDM::connectDatabase(const QString &dataPath, int busyTimeoutMs)
{
    m_file = DatabaseFileName(dataPath);
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connectionName);
    db.setDatabaseName(m_file);
    db.setConnectOptions(Maintenance::connectOptions(busyTimeoutMs));
    if (!QFileInfo(m_file).isFile())
        return;
    if (!db.open()) {
        Dialogs::instance().message(engineErrorFrom(db.lastError(), QString()).message());
        return;
    }
    m_connected = guarded([&db] { Maintenance::configureConnection(db); });
}

void TDM::OpenTable(TTable &table)
{
    if (table.active())
        return;
    if (!m_connected)
        throw EDBEngineError(EngineCode::TableNotFound, {table.name()});
    try {
        table.open();
    } catch (const EDBEngineError &error) {
        if (!error.isDamage())
            throw;
        Maintenance::repair(DB(), table.name());
        table.open();
    }
}

void TDM::UpgradeDatabase()
{
    bool accessDenied = false;
    for (const QString &name : Schema::versionedTables()) {
        try {
            Upgrade::upgradeTable(DB(), name);
        } catch (const EDBEngineError &error) {
            if (error.code() == EngineCode::AccessDenied)
                accessDenied = true;
            else
                Dialogs::instance().message(error.message());
        } catch (const std::exception &error) {
            Dialogs::instance().message(QString::fromUtf8(error.what()));
        }
    }
    if (accessDenied) {
        Dialogs::instance().message(
            u"Database Update Failed. This new version requires database updates. Make sure no one else is "
            "using the software and restart."_s);
    }
}

TTable *TDM::table(const QString &name)
{
    for (TTable *candidate : tables()) {
        if (candidate->name().compare(name, Qt::CaseInsensitive) == 0)
            return candidate;
    }
    return nullptr;
}

QList<TTable *> TDM::tables()
{
    return {&tblCustomers, &tblSales, &tblProducts, &tblSalesItems, &tblRefunds, &tblPaymentTypes,
            &tblCashCount, &tblEndOfDay, &tblEmployees, &tblEmployeeHours, &tblStores, &tblInventory,
            &tblSuppliers, &tblInventoryAmounts, &tblInventoryTypes, &tblSecurity, &tblUsers};
}
