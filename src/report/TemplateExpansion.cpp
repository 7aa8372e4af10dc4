#include "report/TemplateExpansion.h"

#include "report/Expression.h"

#include "platform/Clock.h"

#include <QDateTime>
#include <QLocale>

#include <cmath>

namespace {
QLocale numberLocale()
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

// Halves go away from zero on the decimal value shown, not on its binary
// neighbour (2.675 gives 2.68).
double roundedTo(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const double scaled = QString::number(value * scale, 'f', 6).toDouble();
    return std::round(scaled) / scale;
}

QString numberText(double value, const QString &format)
{
    const QLocale locale = numberLocale();
    if (format == u"0.00")
        return locale.toString(roundedTo(value, 2), 'f', 2);
    if (format == u"0")
        return locale.toString(roundedTo(value, 0), 'f', 0);
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return locale.toString(static_cast<qlonglong>(value));
    return locale.toString(value, 'g', 15);
}

QDateTime dateTimeOf(const QVariant &value)
{
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().startOfDay();
    if (value.typeId() == QMetaType::QTime)
        return QDateTime(QDate(2000, 1, 1), value.toTime());
    const QString text = value.toString().trimmed();
    QDateTime dateTime = QDateTime::fromString(text, Qt::ISODate);
    if (!dateTime.isValid())
        dateTime = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    if (!dateTime.isValid() && QDate::fromString(text, Qt::ISODate).isValid())
        dateTime = QDate::fromString(text, Qt::ISODate).startOfDay();
    if (!dateTime.isValid()) {
        const QTime time = QTime::fromString(text, Qt::ISODate);
        if (time.isValid())
            dateTime = QDateTime(QDate(2000, 1, 1), time);
    }
    return dateTime;
}

QString temporalText(const QVariant &value, const QString &format)
{
    const QDateTime dateTime = dateTimeOf(value);
    if (!dateTime.isValid())
        return value.toString();
    return dateTime.toString(format == u"date" ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("hh:mm"));
}

QString html(const QString &text)
{
    QString escaped = text.toHtmlEscaped();
    escaped.replace(u'\n', QStringLiteral("<br/>"));
    return escaped;
}

class Expander
{
public:
    Expander(const ExpansionSources &sources, bool footer)
        : m_sources(sources)
        , m_footer(footer)
    {
        m_scope.value = [this](const QString &name) { return lookUp(name); };
        m_scope.aggregate = [this](const QString &function, const QString &dataset, const Expression *operand) {
            return aggregate(function, dataset, operand);
        };
    }

    QString expand(const std::vector<TemplateNode> &nodes)
    {
        QString out;
        for (const TemplateNode &node : nodes)
            out += expand(node);
        return out;
    }

private:
    QString expand(const TemplateNode &node)
    {
        switch (node.kind) {
        case TemplateNode::Kind::Text:
            return node.text;
        case TemplateNode::Kind::Value:
            return html(formatValue(evaluate(*node.expression, m_scope), node.format));
        case TemplateNode::Kind::Condition:
            return expand(isTrue(evaluate(*node.expression, m_scope)) ? node.children : node.otherwise);
        case TemplateNode::Kind::Band:
            return band(node);
        case TemplateNode::Kind::Cross:
            return cross(node);
        }
        return {};
    }

    bool linked(const TemplateNode &band, const ReportDataset &detail)
    {
        if (band.linkField.isEmpty())
            return true;
        const auto own = detail.value(band.linkField);
        const QVariant master = evaluate(*band.expression, m_scope);
        if (!own || !master.isValid())
            return false;
        const auto ownNumber = numberOf(*own);
        const auto masterNumber = numberOf(master);
        if (isNumericValue(*own) && ownNumber && masterNumber)
            return *ownNumber == *masterNumber;
        return own->toString() == master.toString();
    }

    QString band(const TemplateNode &node)
    {
        ReportDataset *dataset = m_sources.dataset(node.dataset);
        if (!dataset)
            return {};
        const int previous = dataset->recordNumber();
        QString out;
        for (int record = 0; record < dataset->recordCount(); ++record) {
            dataset->setRecordNumber(record);
            if (linked(node, *dataset))
                out += expand(node.children);
        }
        dataset->setRecordNumber(previous);
        return out;
    }

    QString cross(const TemplateNode &node)
    {
        ReportDataset *rows = m_sources.dataset(node.dataset);
        ReportDataset *columns = m_sources.dataset(node.columns);
        if (!rows || !columns)
            return {};
        const int previousRow = rows->recordNumber();
        const int previousColumn = columns->recordNumber();
        QString out;
        for (int row = 0; row < rows->recordCount(); ++row) {
            rows->setRecordNumber(row);
            out += QStringLiteral("<tr>");
            for (int column = 0; column < columns->recordCount(); ++column) {
                columns->setRecordNumber(column);
                out += cell(expand(node.children), node.headings && (row == 0 || column == 0),
                            node.headings && row == 0 && column > 0);
            }
            out += QStringLiteral("</tr>\n");
        }
        rows->setRecordNumber(previousRow);
        columns->setRecordNumber(previousColumn);
        return out;
    }

    // Headings bold, column headings centred over their column; figures
    // right-aligned so that their decimals line up.
    static QString cell(const QString &content, bool heading, bool columnHeading)
    {
        const QString tag = heading ? QStringLiteral("th") : QStringLiteral("td");
        const bool figure = numberOf(QVariant(content)).has_value();
        const QString align = columnHeading ? QStringLiteral("center")
                              : figure      ? QStringLiteral("right")
                                            : QStringLiteral("left");
        return QStringLiteral("<%1 align=\"%2\">%3</%1>").arg(tag, align, content);
    }

    std::optional<QVariant> lookUp(const QString &name)
    {
        const qsizetype dot = name.indexOf(u'.');
        if (dot >= 0) {
            ReportDataset *dataset = m_sources.dataset(name.left(dot));
            return dataset ? dataset->value(name.mid(dot + 1)) : std::nullopt;
        }
        if (m_footer && (name.compare(u"Page", Qt::CaseInsensitive) == 0
                         || name.compare(u"Pages", Qt::CaseInsensitive) == 0))
            return QVariant(u'[' + name + u']');
        if (const auto variable = ReportVariables::value(name))
            return QVariant(*variable);
        if (const auto own = m_sources.dictionary(name))
            return QVariant(*own);
        if (m_sources.valueRequest) {
            if (const auto answer = m_sources.valueRequest(name))
                return QVariant(*answer);
        }
        if (name.compare(u"Date", Qt::CaseInsensitive) == 0)
            return QVariant(Clock::instance().today());
        if (name.compare(u"Time", Qt::CaseInsensitive) == 0)
            return QVariant(Clock::instance().now().time());
        return std::nullopt;
    }

    std::optional<QVariant> aggregate(const QString &function, const QString &datasetName,
                                      const Expression *operand)
    {
        ReportDataset *dataset = m_sources.dataset(datasetName);
        if (!dataset)
            return std::nullopt;
        if (function == u"count" || !operand)
            return QVariant(dataset->recordCount());
        const int previous = dataset->recordNumber();
        double total = 0;
        bool complete = true;
        for (int record = 0; record < dataset->recordCount() && complete; ++record) {
            dataset->setRecordNumber(record);
            const auto value = numberOf(evaluate(*operand, m_scope));
            complete = value.has_value();
            total += value.value_or(0);
        }
        dataset->setRecordNumber(previous);
        return complete ? std::optional<QVariant>(total) : std::nullopt;
    }

    const ExpansionSources &m_sources;
    bool m_footer;
    ExpressionScope m_scope;
};
}

QString formatValue(const QVariant &value, const QString &format)
{
    if (!value.isValid() || value.isNull())
        return {};
    if (format == u"date" || format == u"time")
        return temporalText(value, format);
    if (isNumericValue(value))
        return numberText(value.toDouble(), format);
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().toString(Qt::ISODate);
    if (value.typeId() == QMetaType::QTime)
        return value.toTime().toString(QStringLiteral("hh:mm"));
    return value.toString();
}

QString expandTemplate(const std::vector<TemplateNode> &nodes, const ExpansionSources &sources, bool footer)
{
    return Expander(sources, footer).expand(nodes);
}
