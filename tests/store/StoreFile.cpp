#include "StoreFile.h"

#include "store/Maintenance.h"
#include "store/Schema.h"
#include "store/Sql.h"

#include <QUuid>

#include <stdexcept>

using namespace Qt::StringLiterals;

StoreFile::StoreFile(const QString &file, Build build, int busyTimeoutMs)
    : m_name(u"test-"_s + QUuid::createUuid().toString())
{
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_name);
    db.setDatabaseName(file);
    db.setConnectOptions(Maintenance::connectOptions(busyTimeoutMs));
    if (!db.open())
        throw std::runtime_error("cannot open the test database");
    Maintenance::configureConnection(db);
    if (build == Build::AllTables)
        Schema::createDatabase(db);
}

StoreFile::~StoreFile()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase StoreFile::db() const
{
    return QSqlDatabase::database(m_name, false);
}

void StoreFile::run(const QStringList &statements) const
{
    for (const QString &statement : statements)
        Sql::runDialect(db(), statement);
}
