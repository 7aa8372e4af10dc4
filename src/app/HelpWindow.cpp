#include "app/HelpWindow.h"

#include "platform/Guarded.h"
#include "platform/Shell.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
constexpr int TopicRole = Qt::UserRole;

QListWidget *newList(const QString &name)
{
    auto *list = new QListWidget;
    list->setObjectName(name);
    return list;
}

QListWidgetItem *topicItem(const HelpTopic &topic)
{
    auto *item = new QListWidgetItem(topic.title.isEmpty() ? QString::number(topic.number) : topic.title);
    item->setData(TopicRole, topic.number);
    return item;
}

// The topic number of a page: the name of its file.
int topicOf(const QUrl &page)
{
    bool isNumber = false;
    const int topic = QFileInfo(page.toLocalFile()).completeBaseName().toInt(&isNumber);
    return page.isLocalFile() && isNumber ? topic : -1;
}

QToolButton *newNavigationButton(const QString &name, QStyle::StandardPixmap icon, const QString &text)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setIcon(button->style()->standardIcon(icon));
    button->setText(text);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}
}

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_tabs(new QTabWidget)
    , m_contents(newList(QStringLiteral("lstContents")))
    , m_keyword(new QLineEdit)
    , m_keywords(newList(QStringLiteral("lstKeywords")))
    , m_found(newList(QStringLiteral("lstTopicsFound")))
    , m_page(new QTextBrowser)
    , m_back(newNavigationButton(QStringLiteral("btnBack"), QStyle::SP_ArrowBack, QStringLiteral("&Back")))
    , m_forward(newNavigationButton(QStringLiteral("btnForward"), QStyle::SP_ArrowForward, QStringLiteral("&Forward")))
    , m_home(newNavigationButton(QStringLiteral("btnContents"), QStyle::SP_DirHomeIcon, QStringLiteral("&Contents")))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(820, 560);

    m_keyword->setObjectName(QStringLiteral("edtKeyword"));
    m_keyword->setPlaceholderText(QStringLiteral("Type a word to look for"));
    m_page->setObjectName(QStringLiteral("Page"));
    m_page->setOpenLinks(false);
    m_tabs->setObjectName(QStringLiteral("Tabs"));

    auto *search = new QWidget;
    auto *searchLayout = new QVBoxLayout(search);
    searchLayout->addWidget(new QLabel(QStringLiteral("Type the word you are looking for:")));
    searchLayout->addWidget(m_keyword);
    searchLayout->addWidget(m_keywords, 2);
    searchLayout->addWidget(new QLabel(QStringLiteral("Topics found:")));
    searchLayout->addWidget(m_found, 1);
    m_tabs->addTab(m_contents, QStringLiteral("Contents"));
    m_tabs->addTab(search, QStringLiteral("Keyword search"));

    auto *navigation = new QHBoxLayout;
    navigation->addWidget(m_home);
    navigation->addWidget(m_back);
    navigation->addWidget(m_forward);
    navigation->addStretch();

    auto *splitter = new QSplitter;
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_page);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 580});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(navigation);
    layout->addWidget(splitter, 1);

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QToolButton::clicked, m_page, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_page, &QTextBrowser::forward);
    connect(m_page, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_page, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    connect(m_page, &QTextBrowser::sourceChanged, this, &HelpWindow::markTopic);
    connect(m_page, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    connect(m_home, &QToolButton::clicked, this, [this] { m_tabs->setCurrentIndex(0); });
    connect(m_contents, &QListWidget::itemActivated, this, &HelpWindow::openItemTopic);
    connect(m_contents, &QListWidget::itemClicked, this, &HelpWindow::openItemTopic);
    connect(m_found, &QListWidget::itemActivated, this, &HelpWindow::openItemTopic);
    connect(m_found, &QListWidget::itemClicked, this, &HelpWindow::openItemTopic);
    connect(m_keyword, &QLineEdit::textChanged, this, &HelpWindow::fillKeywords);
    connect(m_keywords, &QListWidget::currentItemChanged, this, &HelpWindow::listTopicsOfKeyword);
    updateTitle();
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::showTopic(const QString &helpFile, int topic)
{
    useHelpFile(helpFile);
    if (!m_index->exists())
        return;
    if (const HelpTopic *page = m_index->topic(topic))
        showPage(*page);
    else
        showMissing(QStringLiteral("The help topic %1 is not in %2.").arg(topic).arg(helpFile));
}

void HelpWindow::showContents(const QString &helpFile)
{
    useHelpFile(helpFile);
    m_tabs->setCurrentIndex(0);
    if (currentTopic() < 0 && m_index->exists())
        showPage(m_index->topics().first());
}

void HelpWindow::showSearch(const QString &helpFile, const QString &keyword)
{
    useHelpFile(helpFile);
    m_tabs->setCurrentIndex(1);
    m_keyword->setText(keyword);
    fillKeywords(keyword);
    m_keyword->setFocus();
}

QString HelpWindow::helpFile() const
{
    return m_index ? m_index->helpFile() : QString();
}

int HelpWindow::currentTopic() const
{
    return topicOf(m_page->source());
}

void HelpWindow::useHelpFile(const QString &helpFile)
{
    if (m_index && m_index->helpFile() == helpFile)
        return;
    m_index = std::make_unique<HelpIndex>(helpFile);
    m_page->clearHistory();
    m_page->setSource(QUrl());
    m_page->clear();
    fillContents();
    fillKeywords(m_keyword->text());
    if (!m_index->exists())
        showMissing(QStringLiteral("The help file %1 could not be found.").arg(helpFile));
}

void HelpWindow::showPage(const HelpTopic &topic)
{
    m_page->setSource(QUrl::fromLocalFile(topic.path));
}

void HelpWindow::showMissing(const QString &text)
{
    m_page->setSource(QUrl());
    m_page->setHtml(QStringLiteral("<h2>Help</h2><p>%1</p>").arg(text.toHtmlEscaped()));
    updateTitle();
}

void HelpWindow::fillContents()
{
    m_contents->clear();
    for (const HelpTopic &topic : m_index->topics())
        m_contents->addItem(topicItem(topic));
}

void HelpWindow::fillKeywords(const QString &typed)
{
    m_keywords->clear();
    m_found->clear();
    if (!m_index)
        return;
    for (const QString &keyword : m_index->keywords())
        if (keyword.startsWith(typed.trimmed(), Qt::CaseInsensitive))
            m_keywords->addItem(keyword);
    if (!typed.trimmed().isEmpty() && m_keywords->count() > 0)
        m_keywords->setCurrentRow(0);
}

void HelpWindow::listTopicsOfKeyword()
{
    m_found->clear();
    const QListWidgetItem *keyword = m_keywords->currentItem();
    if (!keyword)
        return;
    for (const HelpTopic &topic : m_index->topicsWithKeyword(keyword->text()))
        m_found->addItem(topicItem(topic));
}

void HelpWindow::openItemTopic(const QListWidgetItem *item)
{
    if (const HelpTopic *topic = m_index->topic(item->data(TopicRole).toInt()))
        showPage(*topic);
}

void HelpWindow::followLink(const QUrl &link)
{
    const QUrl target = m_page->source().resolved(link);
    if (target.isLocalFile())
        m_page->setSource(target);
    else
        guarded([&target] { Shell::instance().openUrl(target.toString()); });
}

void HelpWindow::markTopic(const QUrl &page)
{
    const int topic = topicOf(page);
    for (int row = 0; row < m_contents->count(); ++row)
        if (m_contents->item(row)->data(TopicRole).toInt() == topic)
            m_contents->setCurrentRow(row);
    updateTitle();
}

void HelpWindow::updateTitle()
{
    const QString title = m_page->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Kestrelvane Point of Sale Help")
                                   : title + QStringLiteral(" - Kestrelvane Point of Sale Help"));
}
