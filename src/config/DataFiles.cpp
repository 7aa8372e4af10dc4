#include "config/DataFiles.h"

#include "config/Config.h"
#include "store/Schema.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

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
    const QString connection = u"kvtl-check-"_s + QUuid::createUuid().toString();
    bool present = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, connection);
        db.setDatabaseName(file);
        db.setConnectOptions(u"QSQLITE_OPEN_READONLY"_s);
        present = db.open() && holdsTables(db, Schema::requiredTables());
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return present;
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
