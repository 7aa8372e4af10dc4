#pragma once

#include <QSqlDatabase>
#include <QString>

namespace Upgrade {

// Brings one versioned table from exactly 1.0 to 1.1 in one transaction:
// added fields and indexes, or a rebuild where the primary key changes.
// Any other version is left alone. Returns whether the table was changed;
// raises EDBEngineError (AccessDenied while another program holds the file).
bool upgradeTable(const QSqlDatabase &db, const QString &table);

} // namespace Upgrade
