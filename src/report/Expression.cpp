#include "report/Expression.h"

#include <QLocale>

#include <vector>

struct Expression {
    enum class Kind { Number, Text, Name, Aggregate, Negate, Binary };
    Kind kind = Kind::Number;
    double number = 0;
    QString text;  // Text: the literal; Name, Aggregate: the name
    QString function;
    QChar op;
    std::vector<std::shared_ptr<const Expression>> operands;
};

namespace {
bool isNameStart(QChar c) { return c.isLetter() || c == u'_'; }
bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'#'; }

using Node = std::shared_ptr<Expression>;

class Parser
{
public:
    explicit Parser(const QString &text) : m_text(text) {}

    Node parseAll()
    {
        Node result = sum();
        skipBlanks();
        if (m_at < m_text.size())
            fail(QStringLiteral("unexpected \"%1\"").arg(m_text.mid(m_at)));
        return result;
    }

private:
    [[noreturn]] void fail(const QString &problem) const { throw ExpressionError(problem.toStdString()); }

    void skipBlanks()
    {
        while (m_at < m_text.size() && m_text[m_at].isSpace())
            ++m_at;
    }

    bool take(QChar c)
    {
        skipBlanks();
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }

    Node binary(QChar op, Node left, Node right)
    {
        auto node = std::make_shared<Expression>();
        node->kind = Expression::Kind::Binary;
        node->op = op;
        node->operands = {std::move(left), std::move(right)};
        return node;
    }

    Node sum()
    {
        Node left = product();
        for (;;) {
            if (take(u'+'))
                left = binary(u'+', left, product());
            else if (take(u'-'))
                left = binary(u'-', left, product());
            else
                return left;
        }
    }

    Node product()
    {
        Node left = unary();
        for (;;) {
            if (take(u'*'))
                left = binary(u'*', left, unary());
            else if (take(u'/'))
                left = binary(u'/', left, unary());
            else
                return left;
        }
    }

    Node unary()
    {
        if (take(u'-')) {
            auto node = std::make_shared<Expression>();
            node->kind = Expression::Kind::Negate;
            node->operands = {unary()};
            return node;
        }
        return primary();
    }

    Node primary()
    {
        skipBlanks();
        if (m_at >= m_text.size())
            fail(m_text.trimmed().isEmpty() ? QStringLiteral("empty expression")
                                            : QStringLiteral("expression ends too early"));
        const QChar c = m_text[m_at];
        if (take(u'(')) {
            Node inner = sum();
            if (!take(u')'))
                fail(QStringLiteral("missing \")\""));
            return inner;
        }
        if (c == u'\'')
            return textLiteral();
        if (c.isDigit() || c == u'.')
            return numberLiteral();
        if (isNameStart(c))
            return nameOrAggregate();
        fail(QStringLiteral("unexpected \"%1\"").arg(c));
    }

    Node textLiteral()
    {
        auto node = std::make_shared<Expression>();
        node->kind = Expression::Kind::Text;
        ++m_at;
        for (;;) {
            if (m_at >= m_text.size())
                fail(QStringLiteral("text without its closing quote"));
            const QChar c = m_text[m_at++];
            if (c == u'\'') {
                if (m_at < m_text.size() && m_text[m_at] == u'\'') {
                    node->text += c;
                    ++m_at;
                    continue;
                }
                return node;
            }
            node->text += c;
        }
    }

    Node numberLiteral()
    {
        const qsizetype start = m_at;
        while (m_at < m_text.size() && (m_text[m_at].isDigit() || m_text[m_at] == u'.'))
            ++m_at;
        bool ok = false;
        auto node = std::make_shared<Expression>();
        node->number = m_text.mid(start, m_at - start).toDouble(&ok);
        if (!ok)
            fail(QStringLiteral("bad number \"%1\"").arg(m_text.mid(start, m_at - start)));
        return node;
    }

    QString name()
    {
        const qsizetype start = m_at;
        while (m_at < m_text.size() && isNameChar(m_text[m_at]))
            ++m_at;
        if (m_at < m_text.size() && m_text[m_at] == u'.') {
            ++m_at;
            if (m_at >= m_text.size() || !isNameChar(m_text[m_at]))
                fail(QStringLiteral("field name missing after \".\""));
            while (m_at < m_text.size() && isNameChar(m_text[m_at]))
                ++m_at;
        }
        return m_text.mid(start, m_at - start);
    }

    // The dataset a sum() walks: that of the first field named in it.
    static QString datasetOf(const Expression &node)
    {
        if (node.kind == Expression::Kind::Name && node.text.contains(u'.'))
            return node.text.section(u'.', 0, 0);
        for (const auto &operand : node.operands) {
            const QString dataset = datasetOf(*operand);
            if (!dataset.isEmpty())
                return dataset;
        }
        return {};
    }

    Node nameOrAggregate()
    {
        auto node = std::make_shared<Expression>();
        node->text = name();
        node->kind = Expression::Kind::Name;
        if (!take(u'('))
            return node;
        const QString function = node->text.toLower();
        node->kind = Expression::Kind::Aggregate;
        node->function = function;
        if (function == u"count") {
            skipBlanks();
            if (m_at >= m_text.size() || !isNameStart(m_text[m_at]))
                fail(QStringLiteral("count() needs a dataset name"));
            node->text = name();
        } else if (function == u"sum") {
            node->operands = {sum()};
            node->text = datasetOf(*node->operands[0]);
            if (node->text.isEmpty())
                fail(QStringLiteral("sum() needs a field, as in sum(Dataset.Field)"));
        } else {
            fail(QStringLiteral("unknown function \"%1\"").arg(node->text));
        }
        if (!take(u')'))
            fail(QStringLiteral("missing \")\""));
        return node;
    }

    const QString &m_text;
    qsizetype m_at = 0;
};

QVariant arithmetic(QChar op, double left, double right)
{
    switch (op.unicode()) {
    case u'+': return left + right;
    case u'-': return left - right;
    case u'*': return left * right;
    default: return right == 0 ? QVariant() : QVariant(left / right);
    }
}
}

std::shared_ptr<const Expression> parseExpression(const QString &text)
{
    return Parser(text).parseAll();
}

bool isNumericValue(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

std::optional<double> numberOf(const QVariant &value)
{
    if (isNumericValue(value) || value.typeId() == QMetaType::Bool)
        return value.toDouble();
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString text = value.toString().trimmed();
    bool ok = false;
    double number = text.toDouble(&ok);
    if (!ok)
        number = QLocale().toDouble(text, &ok);
    if (ok)
        return number;
    return std::nullopt;
}

bool isTrue(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return false;
    if (const auto number = numberOf(value))
        return *number != 0;
    return !value.toString().trimmed().isEmpty();
}

QVariant evaluate(const Expression &expression, const ExpressionScope &scope)
{
    switch (expression.kind) {
    case Expression::Kind::Number:
        return expression.number;
    case Expression::Kind::Text:
        return expression.text;
    case Expression::Kind::Name:
        return scope.value(expression.text).value_or(QVariant());
    case Expression::Kind::Aggregate:
        return scope
            .aggregate(expression.function, expression.text,
                       expression.operands.empty() ? nullptr : expression.operands[0].get())
            .value_or(QVariant());
    case Expression::Kind::Negate: {
        const auto operand = numberOf(evaluate(*expression.operands[0], scope));
        return operand ? QVariant(-*operand) : QVariant();
    }
    case Expression::Kind::Binary: {
        const auto left = numberOf(evaluate(*expression.operands[0], scope));
        const auto right = numberOf(evaluate(*expression.operands[1], scope));
        if (!left || !right)
            return {};
        return arithmetic(expression.op, *left, *right);
    }
    }
    return {};
}
