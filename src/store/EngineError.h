#pragma once

#include "platform/AppError.h"

#include <QSqlError>
#include <QString>
#include <QStringList>

// Numbered errors of the store database. Every failure of the engine reaches
// the program as one of these, so that callers can tell damage, a table held
// by another till and a missing table apart by the code.
namespace EngineCode {
enum : int {
    PrematureBlobEnd = 8711,
    HeaderCorrupt = 8961,
    RecordBuffersCorrupt = 8962,
    BlobBuffersCorrupt = 8963,
    IndexPagesCorrupt = 8965,
    ReadError = 9217,
    WriteError = 9218,
    DuplicateKey = 9729,
    InvalidBlobOffset = 9998,
    InvalidIndexField = 10023,
    InvalidBlobLength = 10029,
    TableNotFound = 11010,
    AccessDenied = 11013,
    StatementError = 11949,
};
}

class EDBEngineError : public AppError
{
public:
    // The message of the code with the names filled in, behind the engine's prefix.
    EDBEngineError(int code, const QStringList &names);
    // An error the code table has no entry for, in the engine's own words.
    static EDBEngineError withText(int code, const QString &engineMessage);

    int code() const { return m_code; }
    // The message without the "Database Engine Error # <code> " prefix.
    QString engineMessage() const { return m_engineMessage; }
    // Whether opening the table again after a repair may succeed.
    bool isDamage() const;

private:
    EDBEngineError(const QString &engineMessage, int code);

    int m_code;
    QString m_engineMessage;
};

// The engine error for a failed statement on a table ("" when none is known).
EDBEngineError engineErrorFrom(const QSqlError &error, const QString &table);
