#include "app/HelpIndex.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>

namespace {
QString firstCapture(const QString &text, const QRegularExpression &pattern)
{
    return pattern.match(text).captured(1).simplified();
}

QStringList keywordsOf(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"re(<meta\s+name\s*=\s*"keywords"\s+content\s*=\s*"([^"]*)")re"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList keywords;
    for (const QString &keyword : firstCapture(text, pattern).split(u',', Qt::SkipEmptyParts))
        if (!keyword.trimmed().isEmpty())
            keywords.append(keyword.trimmed());
    return keywords;
}

HelpTopic readTopic(int number, const QString &path)
{
    static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption
                                              | QRegularExpression::DotMatchesEverythingOption);
    QFile file(path);
    const QString text = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    return {number, firstCapture(text, title), keywordsOf(text), path};
}
}

HelpIndex::HelpIndex(const QString &helpFile)
    : m_helpFile(helpFile)
{
    const QDir folder(helpFile);
    for (const QString &name : folder.entryList({QStringLiteral("*.html")}, QDir::Files)) {
        bool isNumber = false;
        const int number = QFileInfo(name).completeBaseName().toInt(&isNumber);
        if (isNumber)
            m_topics.append(readTopic(number, folder.filePath(name)));
    }
    std::sort(m_topics.begin(), m_topics.end(),
              [](const HelpTopic &a, const HelpTopic &b) { return a.number < b.number; });
}

const HelpTopic *HelpIndex::topic(int number) const
{
    const auto found = std::find_if(m_topics.cbegin(), m_topics.cend(),
                                    [number](const HelpTopic &topic) { return topic.number == number; });
    return found == m_topics.cend() ? nullptr : &*found;
}

QStringList HelpIndex::keywords() const
{
    QStringList all;
    for (const HelpTopic &topic : m_topics)
        for (const QString &keyword : topic.keywords)
            if (!all.contains(keyword, Qt::CaseInsensitive))
                all.append(keyword);
    std::sort(all.begin(), all.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return all;
}

QList<HelpTopic> HelpIndex::topicsWithKeyword(const QString &keyword) const
{
    QList<HelpTopic> found;
    for (const HelpTopic &topic : m_topics)
        if (topic.keywords.contains(keyword, Qt::CaseInsensitive))
            found.append(topic);
    return found;
}
