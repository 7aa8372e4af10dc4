#pragma once

#include "platform/AppError.h"

#include <QList>
#include <QMap>
#include <QMarginsF>
#include <QSizeF>
#include <QString>

#include <memory>
#include <vector>

struct Expression;

// A template that does not parse: the text names the file and the line.
class TemplateError : public AppError
{
public:
    TemplateError(const QString &file, int line, const QString &problem);
    int line() const { return m_line; }

private:
    int m_line;
};

// The paper a report is laid out on.
struct PageSetup {
    enum class Paper { A4, Letter, Receipt80 };
    Paper paper = Paper::A4;
    bool landscape = false;
    // Left, top, right, bottom, in millimetres.
    QMarginsF marginsMm{15, 15, 15, 15};

    // The sheet in millimetres; a receipt roll's length follows the content,
    // so its height here is 0.
    QSizeF paperSizeMm() const;
    bool rollPaper() const { return paper == Paper::Receipt80; }
    // The printable width in millimetres.
    qreal contentWidthMm() const;
};

// One piece of a template's body.
struct TemplateNode {
    enum class Kind {
        Text,      // HTML copied as it is
        Value,     // [expression] or [expression:format]
        Band,      // [band Dataset] ... [/band], once per record
        Cross,     // [cross Rows Columns] cell [/cross], a table walked across and down
        Condition, // [if expression] ... [else] ... [/if]
    };
    Kind kind = Kind::Text;
    int line = 0;
    QString text;       // Text: the HTML; Value, Condition: the expression's source
    std::shared_ptr<const Expression> expression; // Value, Condition; Band: the link value
    QString format;     // Value: "0.00", "0", "date", "time"
    QString dataset;    // Band: the dataset; Cross: the row dataset
    QString columns;    // Cross: the column dataset
    bool headings = false; // Cross: row 0 and column 0 are headings
    QString linkField;  // Band: detail field that must equal ...
    std::vector<TemplateNode> children;   // Band, Cross, Condition (then)
    std::vector<TemplateNode> otherwise;  // Condition (else)
};

// A parsed template file: its header (page, margins, footer, its own
// variables) and its body. See Reports/README.md for the format.
class ReportTemplate
{
public:
    ReportTemplate() = default;
    // Raises TemplateError naming fileName and the line of the fault.
    static ReportTemplate parse(const QString &source, const QString &fileName);

    QString fileName() const { return m_fileName; }
    QString source() const { return m_source; }
    const PageSetup &page() const { return m_page; }
    // The page footer, itself template text ([Page] and [Pages] are known there).
    const std::vector<TemplateNode> &footer() const { return m_footer; }
    const std::vector<TemplateNode> &body() const { return m_body; }
    // The template's own dictionary variables (@var NAME = text).
    const QMap<QString, QString> &dictionary() const { return m_dictionary; }

private:
    QString m_fileName;
    QString m_source;
    PageSetup m_page;
    std::vector<TemplateNode> m_footer;
    std::vector<TemplateNode> m_body;
    QMap<QString, QString> m_dictionary;
};
