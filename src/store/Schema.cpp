#include "store/Schema.h"

#include "store/Sql.h"
#include "store/Transaction.h"

#include <QHash>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

using T = FieldType;

FieldDef text(const QString &name, int size = 0) { return {name, T::Text, size, {}}; }
FieldDef integer(const QString &name) { return {name, T::Integer, 0, {}}; }
FieldDef floating(const QString &name) { return {name, T::Float, 0, {}}; }
FieldDef money(const QString &name) { return {name, T::Money, 0, {}}; }
FieldDef boolean(const QString &name) { return {name, T::Boolean, 0, {}}; }
FieldDef flag(const QString &name) { return {name, T::Boolean, 0, 0}; }
FieldDef date(const QString &name) { return {name, T::Date, 0, {}}; }
FieldDef time(const QString &name) { return {name, T::Time, 0, {}}; }
FieldDef dateTime(const QString &name) { return {name, T::DateTime, 0, {}}; }
FieldDef memo(const QString &name) { return {name, T::Memo, 0, {}}; }
FieldDef autoIncrement(const QString &name) { return {name, T::AutoIncrement, 0, {}}; }

QList<FieldDef> integers(const QStringList &names)
{
    QList<FieldDef> fields;
    for (const QString &name : names)
        fields.append(integer(name));
    return fields;
}

QList<FieldDef> moneys(const QStringList &names)
{
    QList<FieldDef> fields;
    for (const QString &name : names)
        fields.append(money(name));
    return fields;
}

TableDef sales(SchemaVersion version)
{
    TableDef t{u"Sales"_s,
               {text(u"Invoice"_s, 20), integer(u"CustID"_s), dateTime(u"DateTime"_s), integer(u"Coupon"_s),
                floating(u"Discount"_s), text(u"DiscountType"_s), floating(u"Tax"_s), floating(u"NetSale"_s),
                integer(u"PaymentType"_s), boolean(u"WorkInProgress"_s), boolean(u"PrePaid"_s),
                boolean(u"Printed"_s), boolean(u"AddTo"_s), text(u"WorkType"_s), text(u"WorkDesc"_s),
                integer(u"DayOfWeek"_s), time(u"Time"_s), text(u"Notes"_s), text(u"EmployeeID"_s),
                boolean(u"Premium"_s), boolean(u"EnvHandling"_s)},
               {u"Invoice"_s},
               {}};
    if (version == Version1_1) {
        t.fields += {text(u"StoreID"_s, 10), flag(u"Modified"_s), flag(u"Deleted"_s)};
        t.indexes = {{u"StoreID"_s, {u"StoreID"_s}}};
    }
    return t;
}

TableDef saleItems(SchemaVersion version)
{
    TableDef t{u"SaleItems"_s,
               {text(u"Invoice"_s, 20), text(u"ProductID"_s), integer(u"Quantity"_s), integer(u"Refunded"_s)},
               {u"Invoice"_s, u"ProductID"_s},
               {{u"Invoice"_s, {u"Invoice"_s}}}};
    if (version == Version1_1) {
        t.fields.append(text(u"StoreID"_s, 10));
        t.indexes.append({u"StoreID"_s, {u"StoreID"_s}});
    }
    return t;
}

TableDef refunds(SchemaVersion version)
{
    TableDef t{u"Refunds"_s,
               {autoIncrement(u"RefundID"_s), text(u"Invoice"_s, 20), dateTime(u"DateTime"_s),
                floating(u"Amount"_s), floating(u"Tax"_s), text(u"Reason"_s), text(u"EmployeeID"_s)},
               {u"RefundID"_s},
               {}};
    if (version == Version1_1) {
        t.fields[3].defaultValue = 0;
        t.fields[4].defaultValue = 0;
        t.fields += {text(u"StoreID"_s, 10), flag(u"Modified"_s), flag(u"Deleted"_s)};
        t.primaryKey = {u"StoreID"_s, u"RefundID"_s};
        t.indexes = {{u"StoreID"_s, {u"StoreID"_s}}};
    }
    return t;
}

TableDef customers(SchemaVersion version)
{
    TableDef t{u"Customers"_s,
               {autoIncrement(u"CustID"_s), text(u"FirstName"_s), text(u"LastName"_s), text(u"Address1"_s),
                text(u"Address2"_s), text(u"City"_s), text(u"State"_s), text(u"Postal"_s),
                text(u"HomePhone"_s), text(u"WorkPhone"_s), text(u"CellPhone"_s), text(u"EMail"_s),
                integer(u"Gender"_s), memo(u"Notes"_s)},
               {u"CustID"_s},
               {{u"HomePhone"_s, {u"HomePhone"_s}}}};
    if (version == Version1_1)
        t.fields += {flag(u"Modified"_s), flag(u"Deleted"_s)};
    return t;
}

TableDef products()
{
    return {u"Products"_s,
            {text(u"ProductID"_s), text(u"Description"_s), text(u"UPCCode"_s), text(u"PLU"_s), text(u"Group"_s),
             integer(u"Category"_s), integer(u"Department"_s), text(u"UnitOfMeasure"_s),
             integer(u"UnitOfOrder"_s), money(u"PurchasePrice"_s), money(u"SellingPrice"_s),
             integer(u"UnitOfSelling"_s), text(u"SupplierID"_s), integer(u"MinimumInStock"_s),
             integer(u"MaximumInStock"_s), boolean(u"EnvHandling"_s), boolean(u"Active"_s)},
            {u"ProductID"_s},
            {{u"UPCCode"_s, {u"UPCCode"_s}}}};
}

TableDef inventory()
{
    return {u"Inventory"_s,
            {text(u"StoreID"_s, 10), text(u"SupplierID"_s), text(u"ProductID"_s), date(u"PurchaseDate"_s),
             money(u"PurchasePrice"_s), money(u"SellingPrice"_s), flag(u"Deleted"_s), flag(u"Modified"_s)},
            {u"StoreID"_s, u"SupplierID"_s, u"ProductID"_s, u"PurchaseDate"_s},
            {}};
}

TableDef inventoryAmounts()
{
    return {u"InventoryAmounts"_s,
            {text(u"StoreID"_s, 10), text(u"SupplierID"_s), text(u"ProductID"_s), date(u"PurchaseDate"_s),
             integer(u"InventoryType"_s), integer(u"Quantity"_s)},
            {u"StoreID"_s, u"SupplierID"_s, u"ProductID"_s, u"PurchaseDate"_s, u"InventoryType"_s},
            {{u"PurchaseDate"_s, {u"PurchaseDate"_s}}}};
}

TableDef cashCount()
{
    QList<FieldDef> fields{date(u"CountDate"_s)};
    fields += integers({u"X100"_s, u"X50"_s, u"X20"_s, u"X10"_s, u"X5"_s, u"X2"_s, u"X1"_s, u"X25c"_s,
                        u"X10c"_s, u"X5c"_s, u"X1c"_s, u"Roll2"_s, u"Roll1"_s, u"Roll25c"_s, u"Roll10c"_s,
                        u"Roll5c"_s, u"Roll1c"_s});
    fields.append(money(u"CashCount"_s));
    return {u"CashCount"_s, fields, {u"CountDate"_s}, {}};
}

TableDef endOfDay()
{
    QList<FieldDef> fields{date(u"Date"_s)};
    fields += moneys({u"HostNet"_s, u"Visa"_s, u"MC"_s, u"Amex"_s, u"Debit"_s, u"Disc"_s, u"Diners"_s, u"Check"_s});
    return {u"EndOfDay"_s, fields, {u"Date"_s}, {}};
}

using Builder = TableDef (*)(SchemaVersion);

const QHash<QString, Builder> &builders()
{
    static const QHash<QString, Builder> all{
        {u"Sales"_s, sales},
        {u"SaleItems"_s, saleItems},
        {u"Refunds"_s, refunds},
        {u"Customers"_s, customers},
        {u"Products"_s, [](SchemaVersion) { return products(); }},
        {u"PaymentTypes"_s,
         [](SchemaVersion) {
             return TableDef{u"PaymentTypes"_s, {integer(u"ID"_s), text(u"PaymentType"_s)}, {u"ID"_s},
                             {{u"PaymentType"_s, {u"PaymentType"_s}}}};
         }},
        {u"Stores"_s,
         [](SchemaVersion) {
             return TableDef{u"Stores"_s, {text(u"StoreID"_s, 10), text(u"Name"_s), integer(u"Status"_s)},
                             {u"StoreID"_s}, {}};
         }},
        {u"Suppliers"_s,
         [](SchemaVersion) {
             return TableDef{u"Suppliers"_s, {text(u"SupplierID"_s), text(u"Name"_s)}, {u"SupplierID"_s}, {}};
         }},
        {u"Inventory"_s, [](SchemaVersion) { return inventory(); }},
        {u"InventoryAmounts"_s, [](SchemaVersion) { return inventoryAmounts(); }},
        {u"InventoryTypes"_s,
         [](SchemaVersion) {
             return TableDef{u"InventoryTypes"_s, {integer(u"InventoryType"_s), text(u"Description"_s)},
                             {u"InventoryType"_s}, {}};
         }},
        {u"CashCount"_s, [](SchemaVersion) { return cashCount(); }},
        {u"EndOfDay"_s, [](SchemaVersion) { return endOfDay(); }},
        {u"Employees"_s,
         [](SchemaVersion) {
             return TableDef{u"Employees"_s, {text(u"EmployeeID"_s), text(u"Name"_s)}, {u"EmployeeID"_s},
                             {{u"Name"_s, {u"Name"_s}}}};
         }},
        {u"EmployeeHours"_s,
         [](SchemaVersion) {
             return TableDef{u"EmployeeHours"_s,
                             {text(u"EmployeeID"_s), date(u"WorkDate"_s), floating(u"Hours"_s)},
                             {u"EmployeeID"_s, u"WorkDate"_s},
                             {{u"EmployeeID"_s, {u"EmployeeID"_s}}}};
         }},
        {u"PaidOuts"_s,
         [](SchemaVersion) {
             return TableDef{u"PaidOuts"_s, {dateTime(u"DateTime"_s), money(u"Amount"_s)}, {u"DateTime"_s}, {}};
         }},
        {u"Security"_s,
         [](SchemaVersion) {
             return TableDef{u"Security"_s,
                             {text(u"LoginID"_s), text(u"UserName"_s), text(u"Description"_s),
                              integer(u"Attempts"_s), text(u"Password"_s), text(u"Level"_s), boolean(u"Active"_s)},
                             {u"LoginID"_s}, {}};
         }},
        {u"Users"_s,
         [](SchemaVersion) {
             return TableDef{u"Users"_s, {text(u"LoginID"_s, 30), dateTime(u"LastIn"_s), dateTime(u"LastOut"_s)},
                             {u"LoginID"_s}, {}};
         }},
    };
    return all;
}

QString defaultClause(const FieldDef &field)
{
    if (field.defaultValue.isNull())
        return {};
    return u" DEFAULT "_s + field.defaultValue.toString();
}

QString columnDefinition(const FieldDef &field, bool soleKey)
{
    if (field.type == FieldType::AutoIncrement && soleKey)
        return Sql::quoted(field.name) + u" INTEGER PRIMARY KEY AUTOINCREMENT"_s;
    return Sql::quoted(field.name) + u' ' + Schema::columnType(field) + defaultClause(field);
}

QString quotedList(const QStringList &names)
{
    QStringList quoted;
    for (const QString &name : names)
        quoted.append(Sql::quoted(name));
    return quoted.join(u", "_s);
}

// An auto-increment field inside a composite key takes the next number over
// the whole table, so every new record is numbered and can be read back.
QString numberingTrigger(const QString &name, const FieldDef &field)
{
    const QString column = Sql::quoted(field.name);
    const QString quotedTable = Sql::quoted(name);
    return u"CREATE TRIGGER "_s + Sql::quoted(name + u"_Number"_s + field.name) + u" AFTER INSERT ON "_s
           + quotedTable + u" FOR EACH ROW WHEN NEW."_s + column + u" IS NULL BEGIN UPDATE "_s + quotedTable
           + u" SET "_s + column + u" = (SELECT COALESCE(MAX("_s + column + u"), 0) + 1 FROM "_s + quotedTable
           + u") WHERE rowid = NEW.rowid; END"_s;
}

} // namespace

int TableDef::fieldIndex(const QString &name) const
{
    for (int i = 0; i < fields.size(); ++i) {
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

const FieldDef *TableDef::field(const QString &name) const
{
    const int i = fieldIndex(name);
    return i < 0 ? nullptr : &fields[i];
}

const IndexDef *TableDef::index(const QString &indexName) const
{
    for (const IndexDef &candidate : indexes) {
        if (candidate.name.compare(indexName, Qt::CaseInsensitive) == 0)
            return &candidate;
    }
    return nullptr;
}

namespace Schema {

QStringList tableNames()
{
    return {u"CashCount"_s, u"Customers"_s, u"EmployeeHours"_s, u"Employees"_s, u"EndOfDay"_s,
            u"Inventory"_s, u"InventoryAmounts"_s, u"InventoryTypes"_s, u"PaidOuts"_s, u"PaymentTypes"_s,
            u"Products"_s, u"Refunds"_s, u"SaleItems"_s, u"Sales"_s, u"Security"_s, u"Stores"_s,
            u"Suppliers"_s, u"Users"_s};
}

QStringList versionedTables()
{
    return {u"Customers"_s, u"Refunds"_s, u"Sales"_s, u"SaleItems"_s};
}

QStringList requiredTables()
{
    return {u"CashCount"_s, u"Customers"_s, u"EmployeeHours"_s, u"Employees"_s, u"EndOfDay"_s,
            u"Inventory"_s, u"PaymentTypes"_s, u"Products"_s, u"Refunds"_s, u"SaleItems"_s,
            u"Sales"_s, u"Stores"_s, u"Suppliers"_s};
}

TableDef table(const QString &name, SchemaVersion version)
{
    for (auto it = builders().cbegin(); it != builders().cend(); ++it) {
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return it.value()(version);
    }
    throw std::invalid_argument("unknown table " + name.toStdString());
}

QString sqlIndexName(const QString &table, const QString &index)
{
    return table + u'_' + index;
}

QString columnType(const FieldDef &field)
{
    switch (field.type) {
    case FieldType::Text:
        return field.size > 0 ? u"VARCHAR(%1)"_s.arg(field.size) : u"VARCHAR(255)"_s;
    case FieldType::Integer:
    case FieldType::AutoIncrement:
        return u"INTEGER"_s;
    case FieldType::Float:
        return u"DOUBLE"_s;
    case FieldType::Money:
        return u"MONEY"_s;
    case FieldType::Boolean:
        return u"BOOLEAN"_s;
    case FieldType::Date:
        return u"DATE"_s;
    case FieldType::Time:
        return u"TIME"_s;
    case FieldType::DateTime:
        return u"TIMESTAMP"_s;
    case FieldType::Memo:
        return u"TEXT"_s;
    }
    return u"TEXT"_s;
}

QString columnDefinition(const FieldDef &field)
{
    return ::columnDefinition(field, false);
}

QString createIndexStatement(const QString &table, const IndexDef &index)
{
    return u"CREATE INDEX "_s + Sql::quoted(sqlIndexName(table, index.name)) + u" ON "_s + Sql::quoted(table)
           + u" ("_s + quotedList(index.fields) + u')';
}

QStringList createStatements(const TableDef &table, const QString &asName)
{
    const QString name = asName.isEmpty() ? table.name : asName;
    const bool soleKey = table.primaryKey.size() == 1;
    QStringList columns;
    const FieldDef *numbered = nullptr;
    for (const FieldDef &field : table.fields) {
        const bool isKey = soleKey && table.primaryKey.first() == field.name;
        columns.append(::columnDefinition(field, isKey));
        if (field.type == FieldType::AutoIncrement && !isKey)
            numbered = &field;
    }
    const bool keyInline = soleKey && table.field(table.primaryKey.first())->type == FieldType::AutoIncrement;
    if (!keyInline)
        columns.append(u"PRIMARY KEY ("_s + quotedList(table.primaryKey) + u')');
    QStringList statements{u"CREATE TABLE "_s + Sql::quoted(name) + u" ("_s + columns.join(u", "_s) + u')'};
    for (const IndexDef &index : table.indexes)
        statements.append(createIndexStatement(name, index));
    if (numbered)
        statements.append(numberingTrigger(name, *numbered));
    return statements;
}

void createVersionTable(const QSqlDatabase &db)
{
    Sql::run(db, u"CREATE TABLE IF NOT EXISTS \"SchemaVersions\" (\"TableName\" VARCHAR(64) PRIMARY KEY, "
                 "\"Major\" INTEGER NOT NULL, \"Minor\" INTEGER NOT NULL)"_s);
}

SchemaVersion readVersion(const QSqlDatabase &db, const QString &table)
{
    const bool hasVersions =
        Sql::scalar(db, u"SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'SchemaVersions'"_s, {},
                    table)
            .toInt()
        > 0;
    if (!hasVersions)
        return {};
    QSqlQuery query = Sql::run(db, u"SELECT \"Major\", \"Minor\" FROM \"SchemaVersions\" WHERE \"TableName\" = ?"_s,
                               {table}, table);
    if (!query.next())
        return {};
    return {query.value(0).toInt(), query.value(1).toInt()};
}

void stampVersion(const QSqlDatabase &db, const QString &table, SchemaVersion version)
{
    createVersionTable(db);
    Sql::run(db, u"INSERT OR REPLACE INTO \"SchemaVersions\" (\"TableName\", \"Major\", \"Minor\") VALUES (?, ?, ?)"_s,
             {table, version.major, version.minor}, table);
}

namespace {

void buildTable(const QSqlDatabase &db, const QString &name, SchemaVersion version)
{
    const TableDef def = Schema::table(name, version);
    for (const QString &statement : createStatements(def))
        Sql::run(db, statement, {}, def.name);
    if (versionedTables().contains(def.name))
        stampVersion(db, def.name, version);
}

} // namespace

void createTable(const QSqlDatabase &db, const QString &name, SchemaVersion version)
{
    withTransaction(db, [&] { buildTable(db, name, version); });
}

void createDatabase(const QSqlDatabase &db)
{
    withTransaction(db, [&] {
        createVersionTable(db);
        for (const QString &name : tableNames())
            buildTable(db, name, Version1_1);
    });
}

} // namespace Schema
