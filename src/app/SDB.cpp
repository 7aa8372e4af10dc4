#include "app/SDB.h"

#include "platform/AppError.h"

#include <algorithm>

namespace {
[[noreturn]] void failOpen(const QString &fileName)
{
    throw AppError(QStringLiteral("Cannot open %1").arg(fileName));
}

[[noreturn]] void failWrite(const QString &fileName)
{
    throw AppError(QStringLiteral("Unable to write to %1").arg(fileName));
}
}

TSDB::~TSDB()
{
    CloseFile();
}

void TSDB::OpenFile(char *buffer, const QString &fileName, bool readOnly, int recordSize)
{
    CloseFile();
    m_fileName = fileName;
    m_recordSize = recordSize;
    m_recordCount = 0;
    m_file.setFileName(fileName);
    if (!m_file.exists()) {
        if (!m_file.open(QIODevice::ReadWrite))
            failOpen(fileName);
        return;
    }
    if (!m_file.open(readOnly ? QIODevice::ReadOnly : QIODevice::ReadWrite))
        failOpen(fileName);
    m_recordCount = m_file.size() / recordSize;
    if (m_file.read(buffer, recordSize) < 0)
        failOpen(fileName);
}

void TSDB::WriteRecord(const char *buffer)
{
    // A short first record leaves the position inside record 1, so stepping
    // back stops at the start of the file.
    const qint64 position = std::max<qint64>(0, m_file.pos() - m_recordSize);
    if (!m_file.seek(position) || m_file.write(buffer, m_recordSize) != m_recordSize
        || !m_file.flush())
        failWrite(m_fileName);
}

void TSDB::CloseFile()
{
    if (m_file.isOpen())
        m_file.close();
}
