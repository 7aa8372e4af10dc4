#include "InitDb.h"

#include "config/DataFiles.h"
#include "platform/AppError.h"
#include "store/Maintenance.h"
#include "store/Schema.h"
#include "store/Sql.h"
#include "store/Table.h"
#include "store/Transaction.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

using Rows = QList<QVariantList>;

void append(const QString &connection, const QString &table, const Rows &rows)
{
    TTable target(connection, table);
    target.open();
    for (const QVariantList &row : rows)
        target.appendRecord(row);
}

void addDefaults(const QString &connection)
{
    append(connection, u"PaymentTypes"_s,
           {{1, u"Cash"_s}, {2, u"Visa"_s}, {3, u"MC"_s}, {4, u"Amex"_s}, {5, u"Debit"_s}});
    append(connection, u"InventoryTypes"_s,
           {{0, u"On hand"_s}, {1, u"Ordered"_s}, {2, u"Reorder"_s}, {3, u"In transit"_s}, {4, u"Return"_s},
            {5, u"Transfer"_s}, {6, u"Layaway"_s}});
    append(connection, u"Security"_s,
           {{u"Administrator"_s, u"Administrator"_s, u""_s, 0, u"tovel"_s, u"A"_s, true}});
}

// A UPC-A code: eleven digits and their check digit.
QString upc(const QString &elevenDigits)
{
    int sum = 0;
    for (int i = 0; i < elevenDigits.size(); ++i)
        sum += elevenDigits[i].digitValue() * (i % 2 == 0 ? 3 : 1);
    return elevenDigits + QString::number((10 - sum % 10) % 10);
}

const QString DemoStore = u"S1"_s;

void addDemoShop(const QString &connection)
{
    append(connection, u"Stores"_s, {{DemoStore, u"Harbour Street Cycles"_s, 1}, {u"S2"_s, u"Millbrook Cycles"_s, 1}});
    append(connection, u"Suppliers"_s,
           {{u"NORD"_s, u"Nordwheel Distribution"_s}, {u"PEAK"_s, u"Peakline Parts Ltd"_s}});
    // ProductID, Description, UPC, PLU, Group, Category, Department, unit, order unit,
    // purchase price, selling price, selling unit, supplier, minimum, maximum, env. handling, active
    const Rows products{
        {u"TUBE700"_s, u"Inner tube 700x25c"_s, upc(u"06281500101"_s), u"101"_s, u"Parts"_s, 1, 1, u"each"_s, 10, 2.80, 7.99, 1, u"NORD"_s, 10, 60, false, true},
        {u"TUBE26"_s, u"Inner tube 26x2.1"_s, upc(u"06281500102"_s), u"102"_s, u"Parts"_s, 1, 1, u"each"_s, 10, 2.60, 7.49, 1, u"NORD"_s, 10, 60, false, true},
        {u"CHAIN11"_s, u"Chain 11-speed"_s, upc(u"06281500201"_s), u"201"_s, u"Drivetrain"_s, 2, 1, u"each"_s, 5, 14.00, 34.95, 1, u"PEAK"_s, 3, 20, false, true},
        {u"BRAKEPAD"_s, u"Disc brake pads (pair)"_s, upc(u"06281500301"_s), u"301"_s, u"Brakes"_s, 3, 1, u"pair"_s, 10, 6.50, 16.99, 1, u"PEAK"_s, 6, 40, false, true},
        {u"LUBE"_s, u"Chain lube 120 ml"_s, upc(u"06281500401"_s), u"401"_s, u"Care"_s, 4, 2, u"bottle"_s, 12, 3.20, 9.50, 1, u"NORD"_s, 6, 48, true, true},
        {u"HELMET-M"_s, u"Road helmet, medium"_s, upc(u"06281500501"_s), u"501"_s, u"Clothing"_s, 5, 3, u"each"_s, 2, 38.00, 89.00, 1, u"PEAK"_s, 2, 10, false, true},
        {u"LIGHTSET"_s, u"LED light set"_s, upc(u"06281500601"_s), u"601"_s, u"Accessories"_s, 6, 3, u"set"_s, 4, 11.00, 29.99, 1, u"NORD"_s, 4, 24, true, true},
        {u"TUNEUP"_s, u"Standard tune-up (labour)"_s, u""_s, u"900"_s, u"Service"_s, 9, 9, u"job"_s, 1, 0.0, 65.00, 1, u""_s, 0, 0, false, true},
        {u"FLATFIX"_s, u"Flat repair (labour)"_s, u""_s, u"901"_s, u"Service"_s, 9, 9, u"job"_s, 1, 0.0, 15.00, 1, u""_s, 0, 0, false, true},
    };
    append(connection, u"Products"_s, products);
    append(connection, u"Customers"_s,
           {{1, u"Maren"_s, u"Okafor"_s, u"4 Quay Lane"_s, u""_s, u"Port Alder"_s, u"NS"_s, u"B2H 1K4"_s,
             u"555-0142"_s, u""_s, u"555-0199"_s, u"maren.okafor@example.com"_s, 0, u"Commutes daily"_s},
            {2, u"Tomas"_s, u"Lindqvist"_s, u"18 Birch Road"_s, u"Apt 2"_s, u"Port Alder"_s, u"NS"_s, u"B2H 3C9"_s,
             u"555-0178"_s, u"555-0301"_s, u""_s, u""_s, 1, u""_s},
            {3, u"Priya"_s, u"Raman"_s, u"77 Hill Street"_s, u""_s, u"Millbrook"_s, u"NS"_s, u"B2J 4T1"_s,
             u"555-0115"_s, u""_s, u""_s, u"priya.r@example.com"_s, 0, u"Two children's bikes"_s}});
    append(connection, u"Employees"_s, {{u"E01"_s, u"Dana Whitfield"_s}, {u"E02"_s, u"Luis Ortega"_s}});
    const QDate january(2024, 1, 8);
    const QDate march(2024, 3, 4);
    Rows lots;
    Rows amounts;
    for (const QVariantList &product : products) {
        if (product[12].toString().isEmpty())
            continue;
        for (const QDate &bought : {january, march}) {
            lots.append({DemoStore, product[12], product[0], bought, product[9], product[10], false, false});
            amounts.append({DemoStore, product[12], product[0], bought, 0, bought == january ? 4 : 8});
        }
    }
    append(connection, u"Inventory"_s, lots);
    append(connection, u"InventoryAmounts"_s, amounts);
}

void writeLines(const QString &file, const QStringList &lines)
{
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)
        || out.write((lines.join(u'\n') + u'\n').toUtf8()) < 0)
        throw AppError(u"Unable to write to "_s + file);
}

void writeListFiles(const QString &folder)
{
    writeLines(folder + u"discounts.txt"_s, {u"0%"_s, u"5%"_s, u"10%"_s, u"15%"_s, u"20%"_s, u"25%"_s});
    writeLines(folder + u"discountTypes.txt"_s,
               {u"Staff"_s, u"Club member"_s, u"Loyalty"_s, u"Damaged box"_s, u"Price match"_s});
    writeLines(folder + u"coupons.txt"_s, {u"0"_s, u"5"_s, u"10"_s, u"20"_s});
}

void writeDemoStoreOptions(const QString &folder)
{
    writeLines(folder + u"KVTL.ini"_s, {u"[Options]"_s, u"StoreID="_s + DemoStore,
                                        u"StoreName=Harbour Street Cycles"_s,
                                        u"StoreLocation=12 Harbour Street, Port Alder"_s, u"TaxRate=0.07"_s});
}

void buildDatabase(const QString &file, bool demo)
{
    const Sql::ScopedConnection connection(file);
    if (!connection.isOpen())
        throw AppError(u"Unable to create "_s + file + u": "_s + connection.lastError().text());
    const QSqlDatabase &db = connection.db();
    Maintenance::configureConnection(db);
    withTransaction(db, [&] {
        Schema::createDatabase(db);
        addDefaults(connection.name());
        if (demo)
            addDemoShop(connection.name());
    });
}

} // namespace

void CreateDataFolder(const QString &folder, bool demo)
{
    const QString path = QDir::cleanPath(QDir(folder).absolutePath()) + u'/';
    const QString file = DatabaseFileName(path);
    if (QFileInfo::exists(file))
        throw AppError(file + u" already exists"_s);
    if (!QDir().mkpath(path))
        throw AppError(u"Unable to create the folder "_s + path);
    try {
        buildDatabase(file, demo);
    } catch (...) {
        QFile::remove(file);
        throw;
    }
    writeListFiles(path);
    if (demo)
        writeDemoStoreOptions(path);
}
