#include "config/DataFiles.h"

#include "config/Config.h"
#include "store/Schema.h"
#include "store/Sql.h"

#include <QFileInfo>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

bool holdsTables(const QSqlDatabase &db, const QStringList &tables)
{
    QSqlQuery query(db);
    if (!query.prepare(u"SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?"_s))
        return false;
    for (const QString &table : tables) {
        query.addBindValue(table);
        if (!query.exec() || !query.next() || query.value(0).toInt() == 0)
            return false;
    }
    return true;
}

} // namespace

QString DatabaseFileName(const QString &dataPath)
{
    return dataPath + u"kvtl.db"_s;
}

bool DataFilesPresent(const QString &dataPath)
{
    const QString file = DatabaseFileName(dataPath);
    if (!QFileInfo(file).isFile())
        return false;
    const Sql::ScopedConnection check(file, u"QSQLITE_OPEN_READONLY"_s);
    return check.isOpen() && holdsTables(check.db(), Schema::requiredTables());
}

bool DataFilesPresent()
{
    return DataFilesPresent(TConfig::instance().DataPath);
}

void CheckDataFiles(TConfig &config, const AskDataFolderFn &askDataFolder)
{
    bool answeredOk = true;
    while (answeredOk && !DataFilesPresent(config.DataPath)) {
        answeredOk = askDataFolder && askDataFolder(config.DataPath);
        config.SaveUserSettings();
    }
}
