#include "app/FlagFile.h"

#include "app/SDB.h"
#include "app/Secure.h"

#include <QFileInfo>

namespace {
constexpr int FlagOffset = 5;
constexpr int RecordSize = static_cast<int>(FlagRecord().size());
}

QString FlagFileName(const QString &dataPath)
{
    return dataPath + QStringLiteral("kvtl.obj");
}

void EnsureFlagFile(const QString &dataPath)
{
    const QString fileName = FlagFileName(dataPath);
    if (QFileInfo::exists(fileName))
        return;
    FlagRecord record = DefaultFlagRecord;
    TSDB file;
    file.OpenFile(record.data(), fileName, false, RecordSize);
    file.WriteRecord(record.data());
    file.CloseFile();
}

void LoadFlag(TSecure &secure, const QString &dataPath)
{
    TSDB file;
    file.OpenFile(secure.Record.data(), FlagFileName(dataPath), true, RecordSize);
    file.CloseFile();
    secure.Enabled = secure.Record[FlagOffset] != 0;
}

void SaveFlag(TSecure &secure, const QString &dataPath)
{
    TSDB file;
    file.OpenFile(secure.Record.data(), FlagFileName(dataPath), false, RecordSize);
    secure.Record[FlagOffset] = secure.Enabled ? 1 : 0;
    file.WriteRecord(secure.Record.data());
    file.CloseFile();
}
