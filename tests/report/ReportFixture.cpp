#include "ReportFixture.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QUuid>

ReportFixture::ReportFixture()
    : m_connection(QUuid::createUuid().toString())
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(QStringLiteral(":memory:"));
    if (!db.open())
        qFatal("cannot open the in-memory database");
}

ReportFixture::~ReportFixture()
{
    QSqlDatabase::database(m_connection).close();
    QSqlDatabase::removeDatabase(m_connection);
}

QSqlDatabase ReportFixture::database() const
{
    return QSqlDatabase::database(m_connection);
}

void ReportFixture::run(const QStringList &statements) const
{
    QSqlQuery query(database());
    for (const QString &statement : statements) {
        if (!query.exec(statement))
            QFAIL(qPrintable(statement + u' ' + query.lastError().text()));
    }
}

void ReportFixture::fillShop() const
{
    run({
        QStringLiteral("CREATE TABLE Sales (Invoice TEXT PRIMARY KEY, CustID INTEGER, DateTime TEXT, Coupon INTEGER,"
                       " Discount REAL, DiscountType TEXT, Tax REAL, NetSale REAL, PaymentType INTEGER,"
                       " WorkInProgress INTEGER, Notes TEXT, DayOfWeek INTEGER, Time TEXT, EmployeeID TEXT)"),
        QStringLiteral("CREATE TABLE SaleItems (Invoice TEXT, ProductID TEXT, Quantity INTEGER, Refunded INTEGER)"),
        QStringLiteral("CREATE TABLE Products (ProductID TEXT PRIMARY KEY, Description TEXT, SellingPrice REAL)"),
        QStringLiteral("CREATE TABLE PaymentTypes (ID INTEGER PRIMARY KEY, PaymentType TEXT)"),
        QStringLiteral("CREATE TABLE Customers (CustID INTEGER PRIMARY KEY, FirstName TEXT, LastName TEXT, HomePhone TEXT)"),
        QStringLiteral("CREATE TABLE InventoryAmounts (StoreID TEXT, SupplierID TEXT, ProductID TEXT, PurchaseDate TEXT,"
                       " InventoryType INTEGER, Quantity INTEGER)"),
        QStringLiteral("CREATE TABLE Refunds (RefundID INTEGER PRIMARY KEY, Invoice TEXT, DateTime TEXT, Amount REAL,"
                       " Tax REAL, Reason TEXT, EmployeeID TEXT)"),
        QStringLiteral("CREATE TABLE CashCount (CountDate TEXT, X100 INTEGER, X50 INTEGER, X20 INTEGER, X10 INTEGER,"
                       " X5 INTEGER, X2 INTEGER, X1 INTEGER, X25c INTEGER, X10c INTEGER, X5c INTEGER, X1c INTEGER,"
                       " Roll2 INTEGER, Roll1 INTEGER, Roll25c INTEGER, Roll10c INTEGER, Roll5c INTEGER, Roll1c INTEGER,"
                       " CashCount REAL)"),
        QStringLiteral("CREATE TABLE EndOfDay (Date TEXT, HostNet REAL, Visa REAL, MC REAL, Amex REAL, Debit REAL,"
                       " Disc REAL, Diners REAL, \"Check\" REAL)"),
        QStringLiteral("INSERT INTO PaymentTypes VALUES (1, 'Cash'), (2, 'Visa')"),
        QStringLiteral("INSERT INTO Products VALUES ('P100', 'Espresso beans 1 kg', 18.5),"
                       " ('P200', 'Milk frother', 24.99), ('P300', 'Paper filters (100)', 3.25)"),
        QStringLiteral("INSERT INTO Customers VALUES (7, 'Ada', 'Brook', '555-0101')"),
        QStringLiteral("INSERT INTO Sales VALUES ('2403000001', 0, '2024-03-15 10:12:00', 2, 0.1, 'Staff', 4.63,"
                       " 65.24, 1, 0, '', -1, '', ''),"
                       " ('2403000002', 7, '2024-03-15 11:40:00', 0, 0, '', 3.25, 24.99, -1, 1,"
                       " 'Descale and check the steam wand', 5, '16:30:00', 'E1')"),
        QStringLiteral("INSERT INTO SaleItems VALUES ('2403000001', 'P100', 2, 0), ('2403000001', 'P200', 1, 0),"
                       " ('2403000001', 'P300', 1, 0), ('2403000002', 'P200', 1, 0)"),
        QStringLiteral("INSERT INTO InventoryAmounts VALUES ('S1', 'SUP1', 'P100', '2024-03-01', 0, 10),"
                       " ('S1', 'SUP1', 'P100', '2024-03-08', 0, 4), ('S1', 'SUP2', 'P200', '2024-03-01', 0, 3),"
                       " ('S1', 'SUP1', 'P300', '2024-03-01', 1, 50)"),
        QStringLiteral("INSERT INTO Refunds VALUES (12, '2403000001', '2024-03-15', 0, 0, 'Damaged box', 'E1')"),
        QStringLiteral("INSERT INTO CashCount VALUES ('2024-03-15', 1, 2, 3, 4, 5, 0, 7, 12, 8, 6, 14,"
                       " 1, 0, 2, 0, 1, 0, 408.24)"),
        QStringLiteral("INSERT INTO EndOfDay VALUES ('2024-03-15', 120.5, 80, 20.5, 0, 20, 0, 0, 0)"),
    });
}

void writeFile(const QString &path, const QString &text)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(text.toUtf8());
}
