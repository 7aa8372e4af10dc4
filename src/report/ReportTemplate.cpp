#include "report/ReportTemplate.h"

#include "report/Expression.h"

#include <QRegularExpression>
#include <QStringList>

TemplateError::TemplateError(const QString &file, int line, const QString &problem)
    : AppError(QStringLiteral("%1, line %2: %3").arg(file).arg(line).arg(problem))
    , m_line(line)
{
}

QSizeF PageSetup::paperSizeMm() const
{
    QSizeF size;
    switch (paper) {
    case Paper::A4: size = {210, 297}; break;
    case Paper::Letter: size = {215.9, 279.4}; break;
    case Paper::Receipt80: return {80, 0};
    }
    return landscape ? size.transposed() : size;
}

qreal PageSetup::contentWidthMm() const
{
    return paperSizeMm().width() - marginsMm.left() - marginsMm.right();
}

namespace {
TemplateNode makeNode(TemplateNode::Kind kind, int line, const QString &text = {})
{
    TemplateNode node;
    node.kind = kind;
    node.line = line;
    node.text = text;
    return node;
}

const QStringList valueFormats{QStringLiteral("0.00"), QStringLiteral("0"), QStringLiteral("date"),
                               QStringLiteral("time")};

// Reads the template's text into nodes, keeping track of the line numbers.
class TemplateParser
{
public:
    TemplateParser(QString fileName, int firstLine)
        : m_fileName(std::move(fileName))
        , m_line(firstLine)
    {
    }

    std::vector<TemplateNode> parse(const QString &text)
    {
        m_text = &text;
        m_at = 0;
        std::vector<TemplateNode> nodes = parseUntil({});
        return nodes;
    }

private:
    [[noreturn]] void fail(int line, const QString &problem) const
    {
        throw TemplateError(m_fileName, line, problem);
    }

    std::shared_ptr<const Expression> expression(const QString &text, int line) const
    {
        try {
            return parseExpression(text);
        } catch (const ExpressionError &error) {
            fail(line, QStringLiteral("[%1]: %2").arg(text, QString::fromUtf8(error.what())));
        }
    }

    // Reads nodes until one of the closing tags is met (consumed; its name is
    // left in m_closedBy); an empty list reads to the end of the text.
    std::vector<TemplateNode> parseUntil(const QStringList &closers)
    {
        std::vector<TemplateNode> nodes;
        QString literal;
        int literalLine = m_line;
        auto flush = [&] {
            if (!literal.isEmpty())
                nodes.push_back(makeNode(TemplateNode::Kind::Text, literalLine, literal));
            literal.clear();
        };
        while (m_at < m_text->size()) {
            const QChar c = m_text->at(m_at);
            if (c == u'[' && m_at + 1 < m_text->size() && m_text->at(m_at + 1) == u'[') {
                if (literal.isEmpty())
                    literalLine = m_line;
                literal += u'[';
                m_at += 2;
                continue;
            }
            if (c != u'[') {
                if (literal.isEmpty())
                    literalLine = m_line;
                literal += c;
                if (c == u'\n')
                    ++m_line;
                ++m_at;
                continue;
            }
            flush();
            const int tagLine = m_line;
            const QString tag = readTag();
            const QString word = tag.section(u' ', 0, 0).toLower();
            if (closers.contains(word)) {
                m_closedBy = word;
                return nodes;
            }
            if (word.startsWith(u'/') || word == u"else")
                fail(tagLine, QStringLiteral("[%1] without its opening tag").arg(tag));
            nodes.push_back(node(tag, word, tagLine));
        }
        flush();
        if (!closers.isEmpty())
            m_closedBy.clear();
        return nodes;
    }

    QString readTag()
    {
        const qsizetype end = m_text->indexOf(u']', m_at);
        const qsizetype lineEnd = m_text->indexOf(u'\n', m_at);
        if (end < 0 || (lineEnd >= 0 && lineEnd < end))
            fail(m_line, QStringLiteral("\"[\" without \"]\" (write [[ for a bracket)"));
        const QString tag = m_text->mid(m_at + 1, end - m_at - 1).simplified();
        m_at = end + 1;
        if (tag.isEmpty())
            fail(m_line, QStringLiteral("empty []"));
        return tag;
    }

    TemplateNode node(const QString &tag, const QString &word, int line)
    {
        if (word == u"band")
            return band(tag, line);
        if (word == u"cross")
            return cross(tag, line);
        if (word == u"if")
            return condition(tag, line);
        return value(tag, line);
    }

    // Reads the children up to the closing tag, which must come.
    std::vector<TemplateNode> block(const QStringList &closers, const QString &opening, int line)
    {
        std::vector<TemplateNode> children = parseUntil(closers);
        if (m_closedBy.isEmpty())
            fail(line, QStringLiteral("[%1] without [%2]").arg(opening, closers.constLast()));
        return children;
    }

    TemplateNode band(const QString &tag, int line)
    {
        static const QRegularExpression shape(
            QStringLiteral(R"(^band\s+(\w+)(?:\s+where\s+(\w+)\s*=\s*(.+))?$)"),
            QRegularExpression::CaseInsensitiveOption);
        const auto match = shape.match(tag);
        if (!match.hasMatch())
            fail(line, QStringLiteral("[%1]: write [band Dataset] or [band Dataset where Field = Master.Field]").arg(tag));
        TemplateNode band = makeNode(TemplateNode::Kind::Band, line);
        band.dataset = match.captured(1);
        band.linkField = match.captured(2);
        if (!band.linkField.isEmpty())
            band.expression = expression(match.captured(3), line);
        band.children = block({QStringLiteral("/band")}, tag, line);
        return band;
    }

    TemplateNode cross(const QString &tag, int line)
    {
        static const QRegularExpression shape(QStringLiteral(R"(^cross\s+(\w+)\s+(\w+)(\s+headings)?$)"),
                                              QRegularExpression::CaseInsensitiveOption);
        const auto match = shape.match(tag);
        if (!match.hasMatch())
            fail(line, QStringLiteral("[%1]: write [cross RowDataset ColDataset] or add \"headings\"").arg(tag));
        TemplateNode cross = makeNode(TemplateNode::Kind::Cross, line);
        cross.dataset = match.captured(1);
        cross.columns = match.captured(2);
        cross.headings = match.hasCaptured(3);
        cross.children = block({QStringLiteral("/cross")}, tag, line);
        return cross;
    }

    TemplateNode condition(const QString &tag, int line)
    {
        TemplateNode condition = makeNode(TemplateNode::Kind::Condition, line);
        condition.text = tag.mid(2).trimmed();
        condition.expression = expression(condition.text, line);
        condition.children = block({QStringLiteral("else"), QStringLiteral("/if")}, tag, line);
        if (m_closedBy == u"else")
            condition.otherwise = block({QStringLiteral("/if")}, tag, line);
        return condition;
    }

    TemplateNode value(const QString &tag, int line)
    {
        TemplateNode value = makeNode(TemplateNode::Kind::Value, line);
        const qsizetype colon = tag.lastIndexOf(u':');
        const bool quoted = colon >= 0 && tag.mid(colon).contains(u'\'');
        value.text = colon >= 0 && !quoted ? tag.left(colon).trimmed() : tag;
        value.format = colon >= 0 && !quoted ? tag.mid(colon + 1).trimmed() : QString();
        if (!value.format.isEmpty() && !valueFormats.contains(value.format))
            fail(line, QStringLiteral("[%1]: unknown format \"%2\" (known: %3)")
                           .arg(tag, value.format, valueFormats.join(QStringLiteral(", "))));
        value.expression = expression(value.text, line);
        return value;
    }

    QString m_fileName;
    int m_line;
    const QString *m_text = nullptr;
    qsizetype m_at = 0;
    QString m_closedBy;
};

bool readMargins(const QString &text, QMarginsF &margins)
{
    const QStringList parts = text.split(u' ', Qt::SkipEmptyParts);
    QList<qreal> values;
    for (const QString &part : parts) {
        bool ok = false;
        const qreal value = part.toDouble(&ok);
        if (!ok || value < 0)
            return false;
        values.append(value);
    }
    if (values.size() == 1)
        margins = QMarginsF(values[0], values[0], values[0], values[0]);
    else if (values.size() == 4)
        margins = QMarginsF(values[0], values[1], values[2], values[3]);
    else
        return false;
    return true;
}

bool readPaper(const QString &text, PageSetup &page)
{
    const QStringList words = text.toLower().split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty() || words.size() > 2)
        return false;
    if (words[0] == u"a4")
        page.paper = PageSetup::Paper::A4;
    else if (words[0] == u"letter")
        page.paper = PageSetup::Paper::Letter;
    else if (words[0] == u"receipt80") {
        page.paper = PageSetup::Paper::Receipt80;
        page.marginsMm = QMarginsF(4, 4, 4, 6);
    } else
        return false;
    if (words.size() == 2) {
        if (words[1] != u"landscape" && words[1] != u"portrait")
            return false;
        page.landscape = words[1] == u"landscape";
    }
    return true;
}
}

ReportTemplate ReportTemplate::parse(const QString &source, const QString &fileName)
{
    ReportTemplate result;
    result.m_fileName = fileName;
    result.m_source = source;

    const QStringList lines = source.split(u'\n');
    int line = 0;
    QString footer;
    int footerLine = 0;
    for (; line < lines.size(); ++line) {
        const QString text = lines[line].trimmed();
        if (text.isEmpty())
            continue;
        if (!text.startsWith(u'@'))
            break;
        const QString directive = text.section(u' ', 0, 0).toLower();
        const QString argument = text.section(u' ', 1).trimmed();
        const int number = line + 1;
        if (directive == u"@page") {
            if (!readPaper(argument, result.m_page))
                throw TemplateError(fileName, number, QStringLiteral("@page takes A4, Letter or Receipt80, then optionally portrait or landscape"));
        } else if (directive == u"@margins") {
            if (!readMargins(argument, result.m_page.marginsMm))
                throw TemplateError(fileName, number, QStringLiteral("@margins takes one or four millimetre values (left top right bottom)"));
        } else if (directive == u"@var") {
            const qsizetype equals = argument.indexOf(u'=');
            const QString name = argument.left(equals).trimmed();
            if (equals < 0 || name.isEmpty() || name.contains(u' '))
                throw TemplateError(fileName, number, QStringLiteral("write @var NAME = text"));
            result.m_dictionary.insert(name, argument.mid(equals + 1).trimmed());
        } else if (directive == u"@footer") {
            footer = argument;
            footerLine = number;
        } else {
            throw TemplateError(fileName, number, QStringLiteral("unknown directive %1").arg(directive));
        }
    }
    if (!footer.isEmpty())
        result.m_footer = TemplateParser(fileName, footerLine).parse(footer);
    const QString body = lines.mid(line).join(u'\n');
    result.m_body = TemplateParser(fileName, line + 1).parse(body);
    return result;
}
