#pragma once

#include "report/ReportTemplate.h"

#include <QImage>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <memory>

class QPainter;
class QTextDocument;

// A place in a prepared report where a searched text was found.
struct FoundText {
    int page = 0;        // counted from 0
    QRectF rectMm;       // on that page, in millimetres from its top left corner
    int position = 0;    // character position in the document
    int length = 0;
};

// A report laid out into pages: the expanded HTML on the template's paper.
// Rendering goes through QPainter only (images, PDF, a printer), so no
// window is needed to make, export or check one.
class PreparedReport
{
public:
    // footerHtml is drawn at the bottom of every sheet; "[Page]" and
    // "[Pages]" in it become the page number and the page count.
    PreparedReport(QString html, PageSetup page, QString footerHtml = {});
    // A report without pages.
    PreparedReport() : PreparedReport(QString(), PageSetup{}) {}
    PreparedReport(const PreparedReport &other);
    PreparedReport &operator=(const PreparedReport &other);
    ~PreparedReport();

    QString html() const { return m_html; }
    const PageSetup &page() const { return m_page; }
    QString footerHtml() const { return m_footer; }

    // 0 when the report printed nothing at all.
    int pageCount() const;
    // The sheet in millimetres (a receipt roll is as long as its content).
    QSizeF pageSizeMm() const;

    // Draws one page scaled into target (device coordinates of painter);
    // the found texts given are highlighted, the current one more strongly.
    void paintPage(QPainter &painter, int page, const QRectF &target,
                   const QList<FoundText> &highlights = {}, int currentHighlight = -1) const;
    QImage pageImage(int page, qreal dotsPerInch) const;

    // Every occurrence of text, ignoring letter case, in reading order.
    QList<FoundText> find(const QString &text) const;

    // Export. The file writers return false when the file cannot be written.
    bool writePdf(const QString &path) const;
    bool writeOdt(const QString &path) const;
    QString toHtml() const;
    // Paragraphs as lines; table rows as columns padded to their widths.
    QString toPlainText() const;
    // One line per paragraph and per table row, fields separated by ";".
    QString toCsv() const;
    // Writes the file named by path in the format its suffix names
    // (.pdf, .odt, .html/.htm, .txt, .csv), or as a saved prepared report
    // (.kvp, or any other suffix). Raises AppError when it cannot be written.
    void exportTo(const QString &path) const;

    // A saved prepared report, opened again by open().
    QString savedText() const;
    // Raises AppError when the file cannot be read or is no prepared report.
    static PreparedReport open(const QString &path);

    const QTextDocument &document() const;

private:
    void layOut();

    QString m_html;
    PageSetup m_page;
    QString m_footer;
    std::unique_ptr<QTextDocument> m_document;
    int m_pageCount = 0;
};

// The pages a print job sends, counted from 0: pages firstPage..lastPage
// (counted from 1, clamped to the report; 0 for "all") repeated for each copy,
// whole sets one after the other when collated, each page's copies together
// otherwise.
QList<int> printedPageOrder(int pageCount, int firstPage, int lastPage, int copies, bool collate);
