#include "report/ReportDesigner.h"

#include "report/PageView.h"
#include "report/Report.h"

#include "platform/AppError.h"
#include "platform/Dialogs.h"
#include "platform/Guarded.h"

#include <QAction>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
const QStringList builtInValues{QStringLiteral("Date"), QStringLiteral("Time"), QStringLiteral("Cell")};
}

ReportDesigner::ReportDesigner(Report &report, QWidget *parent)
    : QDialog(parent)
    , m_report(report)
    , m_fileName(report.fileName())
{
    setObjectName(QStringLiteral("frmDesigner"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(1300, 850);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("tbDesigner"));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layout->addWidget(bar);
    QAction *save = bar->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Save"));
    save->setObjectName(QStringLiteral("actSave"));
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &ReportDesigner::saveClick);
    QAction *saveAs = bar->addAction(QStringLiteral("Save as..."));
    saveAs->setObjectName(QStringLiteral("actSaveAs"));
    connect(saveAs, &QAction::triggered, this, &ReportDesigner::saveAsClick);
    bar->addSeparator();
    QAction *close = bar->addAction(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("Close"));
    close->setObjectName(QStringLiteral("actClose"));
    connect(close, &QAction::triggered, this, &QDialog::accept);

    auto *splitter = new QSplitter(this);
    m_fields = new QListWidget(splitter);
    m_fields->setObjectName(QStringLiteral("lstFields"));
    m_fields->setToolTip(QStringLiteral("Double-click to insert at the cursor"));
    connect(m_fields, &QListWidget::itemActivated, this, &ReportDesigner::fieldActivated);
    m_source = new QPlainTextEdit(splitter);
    m_source->setObjectName(QStringLiteral("edtSource"));
    m_source->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_source->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_view = (new PageScroller(splitter))->view();
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 4);
    splitter->setStretchFactor(2, 4);
    layout->addWidget(splitter, 1);

    m_error = new QLabel(this);
    m_error->setObjectName(QStringLiteral("lblError"));
    m_error->setStyleSheet(QStringLiteral("color: #b00020; padding: 4px;"));
    m_error->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_error);

    m_typing = new QTimer(this);
    m_typing->setSingleShot(true);
    m_typing->setInterval(400);
    connect(m_typing, &QTimer::timeout, this, &ReportDesigner::refreshPreview);
    connect(m_source, &QPlainTextEdit::textChanged, m_typing, qOverload<>(&QTimer::start));

    if (report.hasTemplate())
        m_source->setPlainText(report.reportTemplate().source());
    fillFieldList();
    refreshPreview();
    if (m_prepared && m_prepared->page().rollPaper())
        m_view->setZoom(PageView::Zoom::Percent, 100);
    showTitle();
}

ReportDesigner::~ReportDesigner() = default;

void ReportDesigner::edit(Report &report, QWidget *parent)
{
    ReportDesigner designer(report, parent);
    designer.exec();
}

QString ReportDesigner::source() const
{
    return m_source->toPlainText();
}

void ReportDesigner::setSource(const QString &source)
{
    m_source->setPlainText(source);
}

QString ReportDesigner::errorText() const
{
    return m_error->text();
}

void ReportDesigner::fillFieldList()
{
    QStringList names;
    for (const ReportDataset *dataset : m_report.datasets()) {
        for (const QString &field : dataset->fieldNames())
            names.append(dataset->name() + u'.' + field);
    }
    names += ReportVariables::names();
    if (m_report.hasTemplate())
        names += m_report.reportTemplate().dictionary().keys();
    names += builtInValues;
    names.removeDuplicates();
    m_fields->clear();
    m_fields->addItems(names);
}

void ReportDesigner::fieldActivated(QListWidgetItem *item)
{
    insertField(item->text());
}

void ReportDesigner::insertField(const QString &name)
{
    m_source->insertPlainText(u'[' + name + u']');
    m_source->setFocus();
}

void ReportDesigner::refreshPreview()
{
    m_typing->stop();
    // A template that does not parse keeps the last good preview on screen.
    try {
        m_report.loadFromText(source(), m_fileName.isEmpty() ? QStringLiteral("(new template)") : m_fileName);
        m_prepared = std::make_unique<PreparedReport>(m_report.prepare());
        m_view->setReport(m_prepared.get());
        m_error->clear();
    } catch (const AppError &error) {
        m_error->setText(error.message());
    }
}

void ReportDesigner::saveClick()
{
    if (m_fileName.isEmpty())
        saveAsClick();
    else
        guarded([this] { writeTo(m_fileName); });
}

void ReportDesigner::saveAsClick()
{
    guarded([this] {
        const auto path = Dialogs::instance().saveFile(QStringLiteral("Save the template as"),
                                                       QFileInfo(m_fileName).absolutePath(),
                                                       QStringLiteral("Report templates (*.frf)"));
        if (!path)
            return;
        writeTo(QFileInfo(*path).suffix().isEmpty() ? *path + QStringLiteral(".frf") : *path);
    });
}

void ReportDesigner::writeTo(const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(source().toUtf8()) < 0 || !file.commit())
        throw AppError(QStringLiteral("Unable to write to %1").arg(path));
    m_fileName = path;
    refreshPreview();
    showTitle();
}

void ReportDesigner::showTitle()
{
    setWindowTitle(QStringLiteral("Report designer - %1")
                       .arg(m_fileName.isEmpty() ? QStringLiteral("(new template)") : QFileInfo(m_fileName).fileName()));
}
