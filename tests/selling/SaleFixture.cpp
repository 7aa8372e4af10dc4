#include "SaleFixture.h"

#include "config/Config.h"
#include "config/DataFiles.h"
#include "store/Schema.h"
#include "store/Sql.h"
#include "store/fDM.h"

#include <QFile>
#include <QSqlDatabase>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
void createStoreDatabase(const QString &dataPath)
{
    const QString connection = u"fixture-schema"_s;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, connection);
        db.setDatabaseName(DatabaseFileName(dataPath));
        if (!db.open())
            qFatal("cannot create the test database");
        Schema::createDatabase(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

void writeText(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write a list file");
    file.write(content);
}
}

SaleFixture::SaleFixture()
{
    createStoreDatabase(m_env.dataFolder());
    m_config = std::make_unique<TConfig>();
    m_config->StoreID = u"S1"_s;
    m_config->TaxRate = 0.07;
    m_dm = std::make_unique<TDM>(*m_config, [](QString &) { return false; });
}

SaleFixture::~SaleFixture() = default;

void SaleFixture::exec(const QString &statement, const QVariantList &values)
{
    Sql::run(m_dm->DB(), statement, values);
}

QVariant SaleFixture::scalar(const QString &statement)
{
    return Sql::scalar(m_dm->DB(), statement);
}

int SaleFixture::count(const QString &table)
{
    return scalar(u"SELECT count(*) FROM "_s + Sql::quoted(table)).toInt();
}

void SaleFixture::addProduct(const QString &id, const QString &description, const QString &upc, double price)
{
    exec(u"INSERT INTO Products (ProductID, Description, UPCCode, SellingPrice) VALUES (?, ?, ?, ?)"_s,
         {id, description, upc, price});
}

void SaleFixture::addPaymentTypes(const QStringList &names)
{
    exec(u"DELETE FROM PaymentTypes"_s);
    for (int id = 0; id < names.size(); ++id)
        exec(u"INSERT INTO PaymentTypes (ID, PaymentType) VALUES (?, ?)"_s, {id + 1, names.at(id)});
}

void SaleFixture::addBatch(const QString &store, const QString &product, const QDate &date, int quantity,
                           const QString &supplier, int type)
{
    exec(u"INSERT INTO InventoryAmounts (StoreID, SupplierID, ProductID, PurchaseDate, InventoryType, Quantity) "
         "VALUES (?, ?, ?, ?, ?, ?)"_s,
         {store, supplier, product, date.toString(Qt::ISODate), type, quantity});
}

QList<int> SaleFixture::batchQuantities(const QString &store, const QString &product)
{
    QList<int> quantities;
    QSqlQuery query = Sql::run(m_dm->DB(),
                               u"SELECT Quantity FROM InventoryAmounts WHERE StoreID = ? AND ProductID = ? "
                               "AND InventoryType = 0 ORDER BY PurchaseDate, SupplierID"_s,
                               {store, product});
    while (query.next())
        quantities.append(query.value(0).toInt());
    return quantities;
}

void SaleFixture::writeListFiles()
{
    writeText(m_env.dataFolder() + u"discounts.txt"_s, "0%\n10%\n12.5%\n");
    writeText(m_env.dataFolder() + u"discountTypes.txt"_s, "Senior\nStaff\n");
    writeText(m_env.dataFolder() + u"coupons.txt"_s, "0\n1\n5\n");
}

QStringList SaleFixture::errorLog() const
{
    QFile file(m_env.root() + u"Errors.log"_s);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u"\r\n"_s);
    lines.removeAll(QString());
    return lines;
}
