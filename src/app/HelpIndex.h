#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One page of a help file: "<number>.html", its <title> and the words of its
// <meta name="keywords" content="a, b, c">.
struct HelpTopic
{
    int number = 0;
    QString title;
    QStringList keywords;
    QString path;
};

// The contents and keyword index of a help file (a folder of topic pages),
// read from the pages themselves so that a new page needs no other entry.
class HelpIndex
{
public:
    explicit HelpIndex(const QString &helpFile);

    QString helpFile() const { return m_helpFile; }
    bool exists() const { return !m_topics.isEmpty(); }
    // Every topic in the order of its number: the contents.
    const QList<HelpTopic> &topics() const { return m_topics; }
    const HelpTopic *topic(int number) const;
    // Every keyword once, sorted without regard to case.
    QStringList keywords() const;
    // The topics that list the keyword (compared without regard to case).
    QList<HelpTopic> topicsWithKeyword(const QString &keyword) const;

private:
    QString m_helpFile;
    QList<HelpTopic> m_topics;
};
