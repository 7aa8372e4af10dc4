#include "store/EngineError.h"

#include <QHash>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

const QHash<int, QString> &messageTable()
{
    static const QHash<int, QString> table{
        {EngineCode::PrematureBlobEnd, u"End of blob data in the table '%1' reached prematurely"_s},
        {EngineCode::HeaderCorrupt, u"Header information corrupt in the table '%1'"_s},
        {EngineCode::RecordBuffersCorrupt, u"Data record buffers corrupt in the table '%1'"_s},
        {EngineCode::BlobBuffersCorrupt, u"BLOB block buffers corrupt in the table '%1'"_s},
        {EngineCode::IndexPagesCorrupt, u"Index page buffers corrupt in the table '%1'"_s},
        {EngineCode::ReadError, u"Error reading from the table '%1'"_s},
        {EngineCode::WriteError, u"Error writing to the table '%1'"_s},
        {EngineCode::DuplicateKey, u"Duplicate key found in the index '%1' of the table '%2'"_s},
        {EngineCode::InvalidBlobOffset, u"Invalid blob offset into the table '%1' specified"_s},
        {EngineCode::InvalidIndexField,
         u"Invalid field number '%1' specified in the index '%2' for the table '%3'"_s},
        {EngineCode::InvalidBlobLength, u"Invalid blob length in the table '%1'"_s},
        {EngineCode::TableNotFound, u"Table '%1' does not exist"_s},
        {EngineCode::AccessDenied, u"Access denied to table '%1'"_s},
    };
    return table;
}

QString filledIn(QString format, const QStringList &names)
{
    for (const QString &name : names)
        format = format.arg(name);
    return format;
}

QString withPrefix(int code, const QString &message)
{
    return u"Database Engine Error # "_s + QString::number(code) + u' ' + message;
}

// SQLite's primary result codes (the low byte of the extended code).
enum SqliteResult { Busy = 5, Locked = 6, IoError = 10, Corrupt = 11, Constraint = 19, NotADatabase = 26 };
constexpr int IoErrRead = 10 | (1 << 8);
constexpr int IoErrShortRead = 10 | (2 << 8);

const QRegularExpression &duplicateKey()
{
    static const QRegularExpression unique(u"UNIQUE constraint failed: (\\w+)\\."_s);
    return unique;
}

int damageCode(int extended)
{
    if (extended == IoErrRead || extended == IoErrShortRead)
        return EngineCode::ReadError;
    return EngineCode::WriteError;
}

} // namespace

EDBEngineError::EDBEngineError(int code, const QStringList &names)
    : EDBEngineError(filledIn(messageTable().value(code, u"Engine error in the table '%1'"_s), names), code)
{
}

EDBEngineError EDBEngineError::withText(int code, const QString &engineMessage)
{
    return EDBEngineError(engineMessage, code);
}

EDBEngineError::EDBEngineError(const QString &engineMessage, int code)
    : AppError(withPrefix(code, engineMessage))
    , m_code(code)
    , m_engineMessage(engineMessage)
{
}

bool EDBEngineError::isDamage() const
{
    switch (m_code) {
    case EngineCode::PrematureBlobEnd:
    case EngineCode::HeaderCorrupt:
    case EngineCode::RecordBuffersCorrupt:
    case EngineCode::BlobBuffersCorrupt:
    case EngineCode::IndexPagesCorrupt:
    case EngineCode::ReadError:
    case EngineCode::WriteError:
    case EngineCode::InvalidBlobOffset:
    case EngineCode::InvalidIndexField:
    case EngineCode::InvalidBlobLength:
        return true;
    default:
        return false;
    }
}

EDBEngineError engineErrorFrom(const QSqlError &error, const QString &table)
{
    const int extended = error.nativeErrorCode().toInt();
    const QString text = error.databaseText();
    switch (extended & 0xff) {
    case Busy:
    case Locked:
        return EDBEngineError(EngineCode::AccessDenied, {table});
    case Corrupt:
        return EDBEngineError(EngineCode::RecordBuffersCorrupt, {table});
    case NotADatabase:
        return EDBEngineError(EngineCode::HeaderCorrupt, {table});
    case IoError:
        return EDBEngineError(damageCode(extended), {table});
    case Constraint:
        if (const auto match = duplicateKey().match(text); match.hasMatch())
            return EDBEngineError(EngineCode::DuplicateKey, {u"Primary"_s, table.isEmpty() ? match.captured(1) : table});
        break;
    default:
        break;
    }
    static const QRegularExpression missingTable(u"no such table: (?:\\w+\\.)?(\\S+)"_s);
    if (const auto match = missingTable.match(text); match.hasMatch())
        return EDBEngineError(EngineCode::TableNotFound, {match.captured(1)});
    return EDBEngineError::withText(EngineCode::StatementError, text.isEmpty() ? error.text() : text);
}
