#include "report/PreviewWindow.h"

#include "report/PageView.h"

#include "platform/Dialogs.h"
#include "platform/Guarded.h"
#include "platform/Printing.h"
#include "platform/Shell.h"
#include "platform/System.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
const QString exportFilter = QStringLiteral(
    "Saved report (*.kvp);;PDF document (*.pdf);;HTML page (*.html);;Plain text (*.txt);;"
    "CSV, fields separated by \";\" (*.csv);;OpenDocument text (*.odt)");

struct ZoomChoice {
    const char *caption;
    PageView::Zoom zoom;
    int percent;
};
const ZoomChoice zoomChoices[] = {
    {"Page width", PageView::Zoom::FitWidth, 100}, {"Whole page", PageView::Zoom::WholePage, 100},
    {"50%", PageView::Zoom::Percent, 50},          {"75%", PageView::Zoom::Percent, 75},
    {"100%", PageView::Zoom::Percent, 100},        {"150%", PageView::Zoom::Percent, 150},
    {"200%", PageView::Zoom::Percent, 200},
};

QAction *toolAction(QToolBar *bar, const QString &name, const QString &text, QStyle::StandardPixmap icon,
                   const QKeySequence &shortcut = {})
{
    QAction *action = bar->addAction(bar->style()->standardIcon(icon), text);
    action->setObjectName(name);
    action->setToolTip(text);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}
}

PreviewWindow::PreviewWindow(const PreparedReport &report, QWidget *parent)
    : QDialog(parent)
    , m_report(report)
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Preview"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(900, 1000);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("tbPreview"));
    layout->addWidget(bar);

    m_scroll = new PageScroller(this);
    m_scroll->setObjectName(QStringLiteral("sbPages"));
    m_view = m_scroll->view();
    layout->addWidget(m_scroll, 1);

    auto *status = new QStatusBar(this);
    m_status = new QLabel(status);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    status->addWidget(m_status, 1);
    layout->addWidget(status);

    buildToolBar(bar);
    // A receipt roll is narrow: shown at its real size rather than stretched.
    m_zoom->setCurrentText(report.page().rollPaper() ? QStringLiteral("100%") : QStringLiteral("Page width"));
    showReport();
}

void PreviewWindow::buildToolBar(QToolBar *bar)
{
    m_zoom = new QComboBox(bar);
    m_zoom->setObjectName(QStringLiteral("cboZoom"));
    for (const ZoomChoice &choice : zoomChoices)
        m_zoom->addItem(QString::fromLatin1(choice.caption));
    m_zoom->setToolTip(QStringLiteral("Zoom"));
    bar->addWidget(m_zoom);
    connect(m_zoom, &QComboBox::currentIndexChanged, this, &PreviewWindow::zoomChosen);
    bar->addSeparator();

    connect(toolAction(bar, QStringLiteral("actFirst"), QStringLiteral("First page"), QStyle::SP_MediaSkipBackward,
                      QKeySequence(Qt::CTRL | Qt::Key_Home)),
            &QAction::triggered, this, &PreviewWindow::firstPage);
    connect(toolAction(bar, QStringLiteral("actPrior"), QStringLiteral("Previous page"), QStyle::SP_ArrowLeft,
                      QKeySequence(Qt::Key_PageUp)),
            &QAction::triggered, this, &PreviewWindow::priorPage);
    m_page = new QSpinBox(bar);
    m_page->setObjectName(QStringLiteral("spnPage"));
    m_page->setToolTip(QStringLiteral("Page"));
    bar->addWidget(m_page);
    m_pageCount = new QLabel(bar);
    m_pageCount->setObjectName(QStringLiteral("lblPages"));
    bar->addWidget(m_pageCount);
    connect(m_page, &QSpinBox::valueChanged, this, &PreviewWindow::pageTyped);
    connect(toolAction(bar, QStringLiteral("actNext"), QStringLiteral("Next page"), QStyle::SP_ArrowRight,
                      QKeySequence(Qt::Key_PageDown)),
            &QAction::triggered, this, &PreviewWindow::nextPage);
    connect(toolAction(bar, QStringLiteral("actLast"), QStringLiteral("Last page"), QStyle::SP_MediaSkipForward,
                      QKeySequence(Qt::CTRL | Qt::Key_End)),
            &QAction::triggered, this, &PreviewWindow::lastPage);
    bar->addSeparator();

    connect(toolAction(bar, QStringLiteral("actOpen"), QStringLiteral("Open a saved report"),
                      QStyle::SP_DialogOpenButton, QKeySequence::Open),
            &QAction::triggered, this, &PreviewWindow::openClick);
    connect(toolAction(bar, QStringLiteral("actSave"), QStringLiteral("Save or export"), QStyle::SP_DialogSaveButton,
                      QKeySequence::Save),
            &QAction::triggered, this, &PreviewWindow::saveClick);
    connect(toolAction(bar, QStringLiteral("actPrint"), QStringLiteral("Print"), QStyle::SP_FileIcon,
                      QKeySequence::Print),
            &QAction::triggered, this, &PreviewWindow::printClick);
    bar->addSeparator();

    m_find = new QLineEdit(bar);
    m_find->setObjectName(QStringLiteral("edtFind"));
    m_find->setPlaceholderText(QStringLiteral("Find"));
    m_find->setClearButtonEnabled(true);
    m_find->setMaximumWidth(180);
    bar->addWidget(m_find);
    connect(m_find, &QLineEdit::textChanged, this, &PreviewWindow::findTextChanged);
    connect(m_find, &QLineEdit::returnPressed, this, &PreviewWindow::findNext);
    auto *focusFind = new QAction(this);
    focusFind->setShortcut(QKeySequence::Find);
    addAction(focusFind);
    connect(focusFind, &QAction::triggered, m_find, qOverload<>(&QWidget::setFocus));
    connect(toolAction(bar, QStringLiteral("actFindPrevious"), QStringLiteral("Find previous"), QStyle::SP_ArrowUp,
                      QKeySequence::FindPrevious),
            &QAction::triggered, this, &PreviewWindow::findPrevious);
    connect(toolAction(bar, QStringLiteral("actFindNext"), QStringLiteral("Find next"), QStyle::SP_ArrowDown,
                      QKeySequence::FindNext),
            &QAction::triggered, this, &PreviewWindow::findNext);
    bar->addSeparator();

    connect(toolAction(bar, QStringLiteral("actHelp"), QStringLiteral("Help"), QStyle::SP_DialogHelpButton,
                      QKeySequence::HelpContents),
            &QAction::triggered, this, &PreviewWindow::helpClick);
    connect(toolAction(bar, QStringLiteral("actClose"), QStringLiteral("Close"), QStyle::SP_DialogCloseButton),
            &QAction::triggered, this, &QDialog::accept);
}

void PreviewWindow::showReport()
{
    m_view->setReport(&m_report);
    m_matches.clear();
    m_currentMatch = -1;
    const int pages = m_report.pageCount();
    m_page->blockSignals(true);
    m_page->setRange(pages > 0 ? 1 : 0, pages);
    m_page->setValue(pages > 0 ? 1 : 0);
    m_page->blockSignals(false);
    m_pageCount->setText(QStringLiteral(" of %1 ").arg(pages));
    findTextChanged();
    showPageNumber();
}

int PreviewWindow::currentPage() const
{
    return m_view->page();
}

void PreviewWindow::goToPage(int page)
{
    m_view->setPage(page);
    m_scroll->verticalScrollBar()->setValue(0);
    showPageNumber();
}

void PreviewWindow::showPageNumber()
{
    m_page->blockSignals(true);
    m_page->setValue(m_report.pageCount() > 0 ? m_view->page() + 1 : 0);
    m_page->blockSignals(false);
}

void PreviewWindow::zoomChosen(int index)
{
    if (index < 0 || index >= static_cast<int>(std::size(zoomChoices)))
        return;
    m_view->setZoom(zoomChoices[index].zoom, zoomChoices[index].percent);
}

void PreviewWindow::firstPage() { goToPage(0); }
void PreviewWindow::priorPage() { goToPage(m_view->page() - 1); }
void PreviewWindow::nextPage() { goToPage(m_view->page() + 1); }
void PreviewWindow::lastPage() { goToPage(m_report.pageCount() - 1); }
void PreviewWindow::pageTyped(int page) { goToPage(page - 1); }

void PreviewWindow::openClick()
{
    guarded([this] {
        const auto path = Dialogs::instance().openFile(QStringLiteral("Open a saved report"), QDir::homePath(),
                                                       QStringLiteral("Saved report (*.kvp)"));
        if (!path)
            return;
        m_report = PreparedReport::open(*path);
        showReport();
    });
}

void PreviewWindow::saveClick()
{
    guarded([this] {
        const auto path = Dialogs::instance().saveFile(QStringLiteral("Save or export the report"), QDir::homePath(),
                                                       exportFilter);
        if (!path)
            return;
        const QString file = QFileInfo(*path).suffix().isEmpty() ? *path + QStringLiteral(".kvp") : *path;
        m_report.exportTo(file);
        m_status->setText(QStringLiteral("Saved %1").arg(file));
    });
}

void PreviewWindow::printClick()
{
    guarded([this] { Printing::instance().print(m_report); });
}

void PreviewWindow::helpClick()
{
    Shell::instance().openFile(System::instance().programFolder() + QStringLiteral("help/preview.html"));
}

void PreviewWindow::findTextChanged()
{
    m_matches = m_report.find(m_find->text());
    m_currentMatch = -1;
    m_view->setHighlights(m_matches, m_currentMatch);
    if (m_find->text().isEmpty())
        m_status->clear();
    else if (m_matches.isEmpty())
        m_status->setText(QStringLiteral("\"%1\" not found").arg(m_find->text()));
    else
        m_status->setText(QStringLiteral("%1 found").arg(m_matches.size()));
}

void PreviewWindow::findNext() { stepMatch(1); }
void PreviewWindow::findPrevious() { stepMatch(-1); }

void PreviewWindow::stepMatch(int step)
{
    if (m_matches.isEmpty())
        return;
    const int count = static_cast<int>(m_matches.size());
    m_currentMatch = m_currentMatch < 0 ? (step > 0 ? 0 : count - 1) : (m_currentMatch + step + count) % count;
    const FoundText &match = m_matches[m_currentMatch];
    if (match.page != m_view->page())
        goToPage(match.page);
    m_view->setHighlights(m_matches, m_currentMatch);
    m_scroll->ensureVisible(qRound(m_view->width() / 2.0), qRound(12 + match.rectMm.center().y() * m_view->scale()),
                            0, m_scroll->viewport()->height() / 3);
    m_status->setText(QStringLiteral("%1 of %2").arg(m_currentMatch + 1).arg(count));
}
