#pragma once

#include "app/HelpIndex.h"

#include <QWidget>

#include <memory>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTextBrowser;
class QToolButton;
class QUrl;

// The program's help viewer: a help file's pages by topic number, its
// contents and its keyword search, with back and forward.
class HelpWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);
    ~HelpWindow() override;

    void showTopic(const QString &helpFile, int topic);
    void showContents(const QString &helpFile);
    void showSearch(const QString &helpFile, const QString &keyword);

    QString helpFile() const;
    // The number of the topic on show, or -1 when none is.
    int currentTopic() const;

private:
    void useHelpFile(const QString &helpFile);
    void showPage(const HelpTopic &topic);
    void showMissing(const QString &text);
    void fillContents();
    void fillKeywords(const QString &typed);
    void listTopicsOfKeyword();
    void openItemTopic(const QListWidgetItem *item);
    void followLink(const QUrl &link);
    void markTopic(const QUrl &page);
    void updateTitle();

    std::unique_ptr<HelpIndex> m_index;
    QTabWidget *m_tabs;
    QListWidget *m_contents;
    QLineEdit *m_keyword;
    QListWidget *m_keywords;
    QListWidget *m_found;
    QTextBrowser *m_page;
    QToolButton *m_back;
    QToolButton *m_forward;
    QToolButton *m_home;
};
