#include "StoreFile.h"

#include "store/Maintenance.h"
#include "store/Schema.h"

#include <stdexcept>

StoreFile::StoreFile(const QString &file, Build build, int busyTimeoutMs)
    : m_connection(file, Maintenance::connectOptions(busyTimeoutMs))
{
    if (!m_connection.isOpen())
        throw std::runtime_error("cannot open the test database");
    Maintenance::configureConnection(db());
    if (build == Build::AllTables)
        Schema::createDatabase(db());
}

void StoreFile::run(const QStringList &statements) const
{
    for (const QString &statement : statements)
        Sql::runDialect(db(), statement);
}
