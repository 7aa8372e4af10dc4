#include "report/PreparedReport.h"

#include "report/Expression.h"

#include "platform/AppError.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>

#include <algorithm>
#include <utility>

namespace {
// Layout happens at the CSS pixel size (96 per inch), whatever the device
// that paints the pages later: the pages scale, the line breaks stay.
constexpr qreal layoutDpi = 96;
constexpr qreal footerGapMm = 3;
const QString savedMagic = QStringLiteral("KVTL prepared report 1");

qreal pixels(qreal millimetres) { return millimetres / 25.4 * layoutDpi; }
qreal millimetres(qreal pixels) { return pixels * 25.4 / layoutDpi; }

QPaintDevice &layoutDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMetre = qRound(layoutDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return device;
}

std::unique_ptr<QTextDocument> laidOutDocument(const QString &html, qreal widthPx)
{
    auto document = std::make_unique<QTextDocument>();
    document->documentLayout()->setPaintDevice(&layoutDevice());
    document->setDocumentMargin(0);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10);
    document->setDefaultFont(font);
    document->setHtml(html);
    document->setTextWidth(widthPx);
    return document;
}

QString footerFor(const QString &footer, int page, int pages)
{
    QString text = footer;
    text.replace(QStringLiteral("[Page]"), QString::number(page + 1), Qt::CaseInsensitive);
    text.replace(QStringLiteral("[Pages]"), QString::number(pages), Qt::CaseInsensitive);
    return text;
}

// The text of a table cell: its paragraphs joined by blanks.
QString cellText(const QTextTableCell &cell)
{
    QStringList parts;
    for (auto it = cell.begin(); !it.atEnd(); ++it) {
        if (it.currentBlock().isValid())
            parts.append(it.currentBlock().text().replace(QChar::LineSeparator, u' ').trimmed());
    }
    parts.removeAll(QString());
    return parts.join(u' ');
}

using TableRows = QList<QStringList>;

// Walks the document in reading order: a paragraph at a time, a table at a time.
void visit(const QTextFrame &frame, const std::function<void(const QString &)> &paragraph,
           const std::function<void(const TableRows &)> &table)
{
    // The layout puts an empty paragraph after every table; it is no content.
    bool afterTable = false;
    for (auto it = frame.begin(); !it.atEnd(); ++it) {
        const bool skipEmpty = std::exchange(afterTable, false);
        if (QTextFrame *child = it.currentFrame()) {
            if (auto *grid = qobject_cast<QTextTable *>(child)) {
                TableRows rows;
                for (int r = 0; r < grid->rows(); ++r) {
                    QStringList cells;
                    for (int c = 0; c < grid->columns(); ++c) {
                        const QTextTableCell cell = grid->cellAt(r, c);
                        if (cell.row() == r && cell.column() == c)
                            cells.append(cellText(cell));
                    }
                    rows.append(cells);
                }
                table(rows);
                afterTable = true;
            } else {
                visit(*child, paragraph, table);
            }
        } else if (it.currentBlock().isValid() && !(skipEmpty && it.currentBlock().text().isEmpty())) {
            paragraph(it.currentBlock().text().replace(QChar::LineSeparator, u'\n'));
        }
    }
}

bool isFigure(const QString &text)
{
    return !text.isEmpty() && numberOf(QVariant(text)).has_value();
}

QString tableAsText(const TableRows &rows)
{
    QList<qsizetype> widths;
    for (const QStringList &row : rows) {
        for (int c = 0; c < row.size(); ++c) {
            if (widths.size() <= c)
                widths.append(0);
            widths[c] = std::max(widths[c], row[c].size());
        }
    }
    QStringList lines;
    for (const QStringList &row : rows) {
        QStringList cells;
        for (int c = 0; c < row.size(); ++c)
            cells.append(isFigure(row[c]) ? row[c].rightJustified(widths[c]) : row[c].leftJustified(widths[c]));
        QString line = cells.join(QStringLiteral("  "));
        while (line.endsWith(u' '))
            line.chop(1);
        lines.append(line);
    }
    return lines.join(u'\n');
}

QString csvField(const QString &text)
{
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

void writeText(const QString &path, const QString &text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
        throw AppError(QStringLiteral("Unable to write to %1").arg(path));
}

QString paperName(PageSetup::Paper paper)
{
    switch (paper) {
    case PageSetup::Paper::A4: return QStringLiteral("A4");
    case PageSetup::Paper::Letter: return QStringLiteral("Letter");
    case PageSetup::Paper::Receipt80: return QStringLiteral("Receipt80");
    }
    return {};
}
}

PreparedReport::PreparedReport(QString html, PageSetup page, QString footerHtml)
    : m_html(std::move(html))
    , m_page(page)
    , m_footer(std::move(footerHtml))
{
    layOut();
}

PreparedReport::PreparedReport(const PreparedReport &other)
    : PreparedReport(other.m_html, other.m_page, other.m_footer)
{
}

PreparedReport &PreparedReport::operator=(const PreparedReport &other)
{
    if (this != &other) {
        m_html = other.m_html;
        m_page = other.m_page;
        m_footer = other.m_footer;
        layOut();
    }
    return *this;
}

PreparedReport::~PreparedReport() = default;

namespace {
// Height on each sheet taken by the footer and the gap above it.
qreal footerHeightPx(const QString &footer, qreal widthPx)
{
    if (footer.trimmed().isEmpty())
        return 0;
    return laidOutDocument(footerFor(footer, 98, 99), widthPx)->size().height() + pixels(footerGapMm);
}
}

void PreparedReport::layOut()
{
    const qreal width = pixels(m_page.contentWidthMm());
    m_document = laidOutDocument(m_html, width);
    if (m_document->toPlainText().trimmed().isEmpty()) {
        m_pageCount = 0;
        return;
    }
    if (m_page.rollPaper()) {
        m_pageCount = 1;
        return;
    }
    const QSizeF sheet = m_page.paperSizeMm();
    const qreal height = pixels(sheet.height() - m_page.marginsMm.top() - m_page.marginsMm.bottom())
                         - footerHeightPx(m_footer, width);
    m_document->setPageSize(QSizeF(width, height));
    m_pageCount = m_document->pageCount();
}

int PreparedReport::pageCount() const
{
    return m_pageCount;
}

QSizeF PreparedReport::pageSizeMm() const
{
    if (!m_page.rollPaper())
        return m_page.paperSizeMm();
    const qreal content = millimetres(m_document->size().height());
    return {m_page.paperSizeMm().width(), content + m_page.marginsMm.top() + m_page.marginsMm.bottom()};
}

const QTextDocument &PreparedReport::document() const
{
    return *m_document;
}

void PreparedReport::paintPage(QPainter &painter, int page, const QRectF &target,
                               const QList<FoundText> &highlights, int currentHighlight) const
{
    const QSizeF sheet = pageSizeMm();
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / pixels(sheet.width()), target.height() / pixels(sheet.height()));
    painter.fillRect(QRectF(0, 0, pixels(sheet.width()), pixels(sheet.height())), Qt::white);
    if (page < 0 || page >= m_pageCount) {
        painter.restore();
        return;
    }

    const qreal width = pixels(m_page.contentWidthMm());
    const qreal height = m_page.rollPaper() ? m_document->size().height() : m_document->pageSize().height();
    painter.save();
    painter.translate(pixels(m_page.marginsMm.left()), pixels(m_page.marginsMm.top()));
    painter.setClipRect(QRectF(0, 0, width, height));
    painter.translate(0, -page * height);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, page * height, width, height);
    context.palette.setColor(QPalette::Text, Qt::black);
    for (int i = 0; i < highlights.size(); ++i) {
        QAbstractTextDocumentLayout::Selection selection;
        selection.cursor = QTextCursor(m_document.get());
        selection.cursor.setPosition(highlights[i].position);
        selection.cursor.setPosition(highlights[i].position + highlights[i].length, QTextCursor::KeepAnchor);
        selection.format.setBackground(i == currentHighlight ? QColor(255, 150, 50) : QColor(255, 235, 90));
        selection.format.setForeground(Qt::black);
        context.selections.append(selection);
    }
    m_document->documentLayout()->draw(&painter, context);
    painter.restore();

    if (!m_page.rollPaper() && !m_footer.trimmed().isEmpty()) {
        auto footer = laidOutDocument(footerFor(m_footer, page, m_pageCount), width);
        painter.translate(pixels(m_page.marginsMm.left()),
                          pixels(sheet.height() - m_page.marginsMm.bottom()) - footer->size().height());
        QAbstractTextDocumentLayout::PaintContext footerContext;
        footerContext.palette.setColor(QPalette::Text, Qt::black);
        footer->documentLayout()->draw(&painter, footerContext);
    }
    painter.restore();
}

QImage PreparedReport::pageImage(int page, qreal dotsPerInch) const
{
    const QSizeF sheet = pageSizeMm();
    QImage image(qCeil(sheet.width() / 25.4 * dotsPerInch), qCeil(sheet.height() / 25.4 * dotsPerInch),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
    image.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintPage(painter, page, QRectF(0, 0, image.width(), image.height()));
    return image;
}

QList<FoundText> PreparedReport::find(const QString &text) const
{
    QList<FoundText> found;
    if (text.isEmpty() || m_pageCount == 0)
        return found;
    const qreal pageHeight = m_page.rollPaper() ? m_document->size().height() : m_document->pageSize().height();
    QTextCursor cursor(m_document.get());
    for (;;) {
        cursor = m_document->find(text, cursor);
        if (cursor.isNull())
            break;
        const QTextBlock block = cursor.block();
        const QPointF origin = m_document->documentLayout()->blockBoundingRect(block).topLeft();
        const int start = cursor.selectionStart() - block.position();
        const int end = cursor.selectionEnd() - block.position();
        const QTextLine line = block.layout()->lineForTextPosition(start);
        if (!line.isValid())
            continue;
        const qreal left = line.cursorToX(start);
        const qreal right = line.cursorToX(end);
        const qreal top = origin.y() + line.y();
        const int page = std::clamp(static_cast<int>(top / pageHeight), 0, m_pageCount - 1);
        const QRectF onPage(origin.x() + left + pixels(m_page.marginsMm.left()),
                            top - page * pageHeight + pixels(m_page.marginsMm.top()), right - left, line.height());
        found.append({page,
                      QRectF(millimetres(onPage.x()), millimetres(onPage.y()), millimetres(onPage.width()),
                             millimetres(onPage.height())),
                      cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()});
    }
    return found;
}

bool PreparedReport::writePdf(const QString &path) const
{
    QPdfWriter writer(path);
    const QSizeF sheet = pageSizeMm();
    writer.setPageSize(QPageSize(sheet, QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(600);
    writer.setCreator(QStringLiteral("Kestrelvane Point of Sale"));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const QRectF target(0, 0, writer.width(), writer.height());
    for (int page = 0; page < std::max(m_pageCount, 1); ++page) {
        if (page > 0)
            writer.newPage();
        paintPage(painter, page, target);
    }
    return painter.end();
}

bool PreparedReport::writeOdt(const QString &path) const
{
    QTextDocumentWriter writer(path, "odf");
    return writer.write(m_document.get());
}

QString PreparedReport::toHtml() const
{
    return m_document->toHtml();
}

QString PreparedReport::toPlainText() const
{
    QStringList lines;
    visit(*m_document->rootFrame(), [&](const QString &paragraph) { lines.append(paragraph.trimmed()); },
          [&](const TableRows &rows) { lines.append(tableAsText(rows)); });
    while (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines.join(u'\n') + u'\n';
}

QString PreparedReport::toCsv() const
{
    QStringList lines;
    visit(*m_document->rootFrame(),
          [&](const QString &paragraph) {
              if (!paragraph.trimmed().isEmpty())
                  lines.append(csvField(paragraph.trimmed()));
          },
          [&](const TableRows &rows) {
              for (const QStringList &row : rows) {
                  QStringList fields;
                  for (const QString &cell : row)
                      fields.append(csvField(cell));
                  lines.append(fields.join(u';'));
              }
          });
    return lines.join(u'\n') + u'\n';
}

void PreparedReport::exportTo(const QString &path) const
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    bool written = true;
    if (suffix == u"pdf")
        written = writePdf(path);
    else if (suffix == u"odt")
        written = writeOdt(path);
    else if (suffix == u"html" || suffix == u"htm")
        writeText(path, toHtml());
    else if (suffix == u"txt")
        writeText(path, toPlainText());
    else if (suffix == u"csv")
        writeText(path, toCsv());
    else
        writeText(path, savedText());
    if (!written)
        throw AppError(QStringLiteral("Unable to write to %1").arg(path));
}

QString PreparedReport::savedText() const
{
    const QMarginsF &m = m_page.marginsMm;
    QString footer = m_footer;
    footer.replace(u'\n', u' ');
    return savedMagic + u'\n' + QStringLiteral("paper=") + paperName(m_page.paper) + u'\n'
           + QStringLiteral("landscape=") + QString::number(m_page.landscape ? 1 : 0) + u'\n'
           + QStringLiteral("margins=%1;%2;%3;%4\n").arg(m.left()).arg(m.top()).arg(m.right()).arg(m.bottom())
           + QStringLiteral("footer=") + footer + QStringLiteral("\n\n") + m_html;
}

PreparedReport PreparedReport::open(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Unable to read %1").arg(path));
    const QString text = QString::fromUtf8(file.readAll());
    const qsizetype headerEnd = text.indexOf(QStringLiteral("\n\n"));
    const QStringList header = text.left(headerEnd).split(u'\n');
    if (headerEnd < 0 || header.value(0) != savedMagic)
        throw AppError(QStringLiteral("%1 is not a saved report").arg(path));
    PageSetup page;
    QString footer;
    for (const QString &line : header.mid(1)) {
        const QString key = line.section(u'=', 0, 0);
        const QString value = line.section(u'=', 1);
        if (key == u"paper") {
            for (auto paper : {PageSetup::Paper::A4, PageSetup::Paper::Letter, PageSetup::Paper::Receipt80}) {
                if (paperName(paper) == value)
                    page.paper = paper;
            }
        } else if (key == u"landscape") {
            page.landscape = value == u"1";
        } else if (key == u"margins") {
            const QStringList parts = value.split(u';');
            if (parts.size() == 4)
                page.marginsMm = QMarginsF(parts[0].toDouble(), parts[1].toDouble(), parts[2].toDouble(),
                                           parts[3].toDouble());
        } else if (key == u"footer") {
            footer = value;
        }
    }
    return PreparedReport(text.mid(headerEnd + 2), page, footer);
}

QList<int> printedPageOrder(int pageCount, int firstPage, int lastPage, int copies, bool collate)
{
    QList<int> order;
    if (pageCount <= 0 || copies <= 0)
        return order;
    const int first = firstPage <= 0 ? 1 : std::min(firstPage, pageCount);
    const int last = lastPage <= 0 ? pageCount : std::clamp(lastPage, first, pageCount);
    if (collate) {
        for (int copy = 0; copy < copies; ++copy) {
            for (int page = first; page <= last; ++page)
                order.append(page - 1);
        }
    } else {
        for (int page = first; page <= last; ++page) {
            for (int copy = 0; copy < copies; ++copy)
                order.append(page - 1);
        }
    }
    return order;
}
