#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// A settings file of plain "[Section]" and "Key=Value" lines. Section and key
// names match without regard to case. The file is read once when the object
// is made; writes change only the lines of the keys written (adding the
// section and key when missing) and reach the disk with save().
class IniFile
{
public:
    explicit IniFile(const QString &fileName);

    QString fileName() const { return m_fileName; }

    // A key that is present with an empty value reads as the empty text.
    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;
    // Decimal, or hexadecimal after "0x"; anything else reads as the default.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    // Read as an integer: any value but 0 is true.
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;
    // Read with the locale's decimal separator.
    double readFloat(const QString &section, const QString &key, double defaultValue) const;

    // Line breaks in the value are written as blanks.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    // Written as 1 or 0.
    void writeBool(const QString &section, const QString &key, bool value);
    // Written in general number notation with the locale's decimal separator.
    void writeFloat(const QString &section, const QString &key, double value);

    // Raises AppError("Unable to write to <file>") when the file cannot be written.
    void save() const;

private:
    struct KeyLine {
        qsizetype index;
        QString value;
    };
    std::optional<KeyLine> findKey(const QString &section, const QString &key) const;
    std::optional<qsizetype> sectionEnd(const QString &section) const;

    QString m_fileName;
    QStringList m_lines;
    QString m_lineEnd;
    // A file that exists but could not be read must not be overwritten.
    bool m_unreadable = false;
    bool m_byteOrderMark = false;
};
