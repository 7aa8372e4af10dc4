#include "store/Upgrade.h"

#include "store/Maintenance.h"
#include "store/Schema.h"
#include "store/Sql.h"
#include "store/Transaction.h"

using namespace Qt::StringLiterals;

namespace {

void addFieldsAndIndexes(const QSqlDatabase &db, const TableDef &target)
{
    const QStringList present = Maintenance::tableColumns(db, target.name).fields;
    for (const FieldDef &field : target.fields) {
        if (!present.contains(field.name, Qt::CaseInsensitive))
            Sql::run(db, u"ALTER TABLE "_s + Sql::quoted(target.name) + u" ADD COLUMN "_s
                             + Schema::columnDefinition(field),
                     {}, target.name);
    }
    for (const IndexDef &index : target.indexes) {
        const QString create = Schema::createIndexStatement(target.name, index);
        Sql::run(db, create.left(13) + u"IF NOT EXISTS "_s + create.mid(13), {}, target.name);
    }
}

// A new primary key needs a new table: create it beside the old one, copy
// every row (new text fields empty, new flags at their defaults), swap.
void rebuild(const QSqlDatabase &db, const TableDef &source, const TableDef &target)
{
    const QString building = target.name + u"_Upgrade"_s;
    const QStringList statements = Schema::createStatements(target);
    Sql::run(db, Schema::createStatements(target, building).first(), {}, target.name);
    QStringList columns;
    QStringList values;
    for (const FieldDef &field : target.fields) {
        columns.append(Sql::quoted(field.name));
        if (source.field(field.name))
            values.append(Sql::quoted(field.name));
        else if (field.type == FieldType::Text)
            values.append(u"''"_s);
        else
            values.append(field.defaultValue.isNull() ? u"NULL"_s : field.defaultValue.toString());
    }
    Sql::run(db, u"INSERT INTO "_s + Sql::quoted(building) + u" ("_s + columns.join(u", "_s) + u") SELECT "_s
                     + values.join(u", "_s) + u" FROM "_s + Sql::quoted(target.name),
             {}, target.name);
    Sql::run(db, u"DROP TABLE "_s + Sql::quoted(target.name), {}, target.name);
    Sql::run(db, u"ALTER TABLE "_s + Sql::quoted(building) + u" RENAME TO "_s + Sql::quoted(target.name), {},
             target.name);
    for (const QString &statement : statements.mid(1))
        Sql::run(db, statement, {}, target.name);
}

} // namespace

namespace Upgrade {

bool upgradeTable(const QSqlDatabase &db, const QString &table)
{
    if (Schema::readVersion(db, table) != Version1_0)
        return false;
    const TableDef source = Schema::table(table, Version1_0);
    const TableDef target = Schema::table(table, Version1_1);
    Transaction transaction(db, table);
    // Another till may have upgraded the table while this one waited for the lock.
    if (Schema::readVersion(db, table) != Version1_0)
        return false;
    if (source.primaryKey == target.primaryKey)
        addFieldsAndIndexes(db, target);
    else
        rebuild(db, source, target);
    Schema::stampVersion(db, table, Version1_1);
    transaction.commit();
    return true;
}

} // namespace Upgrade
