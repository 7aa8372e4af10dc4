#pragma once

#include <QFile>
#include <QString>

// A file of fixed-size records of which the program uses the first. The file
// stays open between OpenFile and CloseFile; I/O failures raise AppError.
class TSDB
{
public:
    TSDB() = default;
    ~TSDB();
    TSDB(const TSDB &) = delete;
    TSDB &operator=(const TSDB &) = delete;

    // Opens an existing file (read-only or for reading and writing) and reads
    // its first record into buffer; a short file fills only the start of the
    // buffer and leaves the rest as it was. A missing file is created empty
    // and nothing is read.
    void OpenFile(char *buffer, const QString &fileName, bool readOnly, int recordSize);
    // Writes buffer over the record before the current position: record 1
    // after OpenFile has read it, the start of a file that was just created.
    void WriteRecord(const char *buffer);
    void CloseFile();

    QString FileName() const { return m_fileName; }
    int RecordSize() const { return m_recordSize; }
    // The number of whole records the file held when it was opened.
    qint64 RecordCount() const { return m_recordCount; }

private:
    QFile m_file;
    QString m_fileName;
    int m_recordSize = 0;
    qint64 m_recordCount = 0;
};
