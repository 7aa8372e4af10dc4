#include "config/IniFile.h"

#include "config/TextHelpers.h"
#include "platform/AppError.h"

#include <QFile>
#include <QSaveFile>

namespace {

const QByteArray byteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

std::optional<QString> sectionName(const QString &line)
{
    const QString trimmed = line.trimmed();
    const qsizetype close = trimmed.indexOf(u']');
    if (!trimmed.startsWith(u'[') || close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

QString withoutQuotes(const QString &value)
{
    const bool quoted = value.size() >= 2 && value.front() == value.back()
        && (value.front() == u'"' || value.front() == u'\'');
    return quoted ? value.mid(1, value.size() - 2) : value;
}

struct KeyValue {
    QString key;
    QString value;
};

std::optional<KeyValue> keyValue(const QString &line)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0 || sectionName(line))
        return std::nullopt;
    const QString key = line.left(equals).trimmed();
    if (key.isEmpty())
        return std::nullopt;
    return KeyValue{key, withoutQuotes(line.mid(equals + 1).trimmed())};
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

std::optional<int> integerValue(const QString &text)
{
    bool ok = false;
    if (text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)) {
        // Eight hex digits fill all 32 bits, so 0xFFFFFFFF is -1.
        const uint value = text.mid(2).toUInt(&ok, 16);
        return ok ? std::optional<int>(static_cast<int>(value)) : std::nullopt;
    }
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

IniFile::IniFile(const QString &fileName)
    : m_fileName(fileName)
    , m_lineEnd(QStringLiteral("\n"))
{
    QFile file(fileName);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        m_unreadable = true;
        return;
    }
    QByteArray bytes = file.readAll();
    m_byteOrderMark = bytes.startsWith(byteOrderMark);
    if (m_byteOrderMark)
        bytes.remove(0, byteOrderMark.size());
    const QString text = QString::fromUtf8(bytes);
    if (text.contains(QStringLiteral("\r\n")))
        m_lineEnd = QStringLiteral("\r\n");
    m_lines = text.split(u'\n');
    if (m_lines.last().isEmpty())
        m_lines.removeLast();
    for (QString &line : m_lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
}

std::optional<IniFile::KeyLine> IniFile::findKey(const QString &section, const QString &key) const
{
    bool inSection = false;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (const std::optional<QString> name = sectionName(m_lines[i])) {
            inSection = sameName(*name, section);
        } else if (inSection) {
            const std::optional<KeyValue> entry = keyValue(m_lines[i]);
            if (entry && sameName(entry->key, key))
                return KeyLine{i, entry->value};
        }
    }
    return std::nullopt;
}

std::optional<qsizetype> IniFile::sectionEnd(const QString &section) const
{
    std::optional<qsizetype> end;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const std::optional<QString> name = sectionName(m_lines[i]);
        if (name && end)
            break;
        if (name && sameName(*name, section))
            end = i + 1;
        else if (end && !m_lines[i].trimmed().isEmpty())
            end = i + 1;
    }
    return end;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const std::optional<KeyLine> found = findKey(section, key);
    return found ? found->value : defaultValue;
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    const std::optional<KeyLine> found = findKey(section, key);
    if (!found)
        return defaultValue;
    return integerValue(found->value).value_or(defaultValue);
}

bool IniFile::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

double IniFile::readFloat(const QString &section, const QString &key, double defaultValue) const
{
    const QString text = readString(section, key, QString());
    if (text.isEmpty())
        return defaultValue;
    try {
        return StrToFloat(text);
    } catch (const EConvertError &) {
        return defaultValue;
    }
}

void IniFile::writeString(const QString &section, const QString &key, const QString &text)
{
    // A line break in a value would start new lines that read as other keys.
    const QString value = QString(text).replace(u'\r', u' ').replace(u'\n', u' ');
    if (const std::optional<KeyLine> found = findKey(section, key)) {
        const QString &line = m_lines[found->index];
        m_lines[found->index] = line.left(line.indexOf(u'=')).trimmed() + u'=' + value;
        return;
    }
    const QString entry = key + u'=' + value;
    if (const std::optional<qsizetype> end = sectionEnd(section)) {
        m_lines.insert(*end, entry);
        return;
    }
    if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty())
        m_lines.append(QString());
    m_lines.append(u'[' + section + u']');
    m_lines.append(entry);
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::writeFloat(const QString &section, const QString &key, double value)
{
    writeString(section, key, GeneralNumberText(value));
}

void IniFile::save() const
{
    QByteArray bytes = m_byteOrderMark ? byteOrderMark : QByteArray();
    for (const QString &line : m_lines)
        bytes += (line + m_lineEnd).toUtf8();
    QSaveFile file(m_fileName);
    // A data folder may allow writing the file but not making files beside it.
    file.setDirectWriteFallback(true);
    const bool saved = !m_unreadable && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
        && file.commit();
    if (!saved)
        throw AppError(QStringLiteral("Unable to write to ") + m_fileName);
}
