#include "store/Dialect.h"

#include <QHash>
#include <QList>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

struct Token {
    enum Kind { Space, Word, Text, QuotedName, BracketName, Open, Close, Other } kind;
    QString text;
};

using Tokens = QList<Token>;

qsizetype scanQuoted(const QString &sql, qsizetype start, QChar quote)
{
    qsizetype i = start + 1;
    while (i < sql.size()) {
        if (sql[i] == quote) {
            if (i + 1 < sql.size() && sql[i + 1] == quote) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return sql.size();
}

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$'; }

Tokens tokenize(const QString &sql)
{
    Tokens tokens;
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        qsizetype end = i + 1;
        Token::Kind kind = Token::Other;
        if (c.isSpace()) {
            while (end < sql.size() && sql[end].isSpace())
                ++end;
            kind = Token::Space;
        } else if (isWordChar(c)) {
            while (end < sql.size() && isWordChar(sql[end]))
                ++end;
            kind = Token::Word;
        } else if (c == u'\'') {
            end = scanQuoted(sql, i, c);
            kind = Token::Text;
        } else if (c == u'"') {
            end = scanQuoted(sql, i, c);
            kind = Token::QuotedName;
        } else if (c == u'[') {
            end = sql.indexOf(u']', i);
            end = end < 0 ? sql.size() : end + 1;
            kind = Token::BracketName;
        } else if (c == u'(') {
            kind = Token::Open;
        } else if (c == u')') {
            kind = Token::Close;
        }
        tokens.append({kind, sql.mid(i, end - i)});
        i = end;
    }
    return tokens;
}

bool isWord(const Token &token, QStringView word)
{
    return token.kind == Token::Word && token.text.compare(word, Qt::CaseInsensitive) == 0;
}

// The index of the next token that is not blank, or the end.
qsizetype nextSolid(const Tokens &tokens, qsizetype from)
{
    while (from < tokens.size() && tokens[from].kind == Token::Space)
        ++from;
    return from;
}

// The index of the parenthesis that closes the one at open, or the end.
qsizetype matchingClose(const Tokens &tokens, qsizetype open)
{
    int depth = 0;
    for (qsizetype i = open; i < tokens.size(); ++i) {
        if (tokens[i].kind == Token::Open)
            ++depth;
        else if (tokens[i].kind == Token::Close && --depth == 0)
            return i;
    }
    return tokens.size();
}

// Positions of a keyword at the outermost level of a token range.
QList<qsizetype> topLevelWords(const Tokens &tokens, QStringView word)
{
    QList<qsizetype> found;
    int depth = 0;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind == Token::Open)
            ++depth;
        else if (tokens[i].kind == Token::Close)
            --depth;
        else if (depth == 0 && isWord(tokens[i], word))
            found.append(i);
    }
    return found;
}

QString translate(const Tokens &tokens);

QString translateRange(const Tokens &tokens, qsizetype from, qsizetype to)
{
    return translate(tokens.mid(from, to - from)).trimmed();
}

// CAST(x AS DATE) and CAST(x AS TIME): the engine keeps dates as ISO text.
std::optional<QString> castToDate(const Tokens &inner)
{
    const QList<qsizetype> as = topLevelWords(inner, u"AS");
    if (as.isEmpty())
        return std::nullopt;
    const qsizetype typeAt = nextSolid(inner, as.last() + 1);
    if (typeAt >= inner.size() || nextSolid(inner, typeAt + 1) != inner.size())
        return std::nullopt;
    const QString expression = translateRange(inner, 0, as.last());
    if (isWord(inner[typeAt], u"DATE"))
        return u"date("_s + expression + u')';
    if (isWord(inner[typeAt], u"TIME"))
        return u"time("_s + expression + u')';
    return std::nullopt;
}

// EXTRACT(part FROM x): strftime gives the parts; weekdays count from 1 = Sunday.
std::optional<QString> extractPart(const Tokens &inner)
{
    static const QHash<QString, QString> formats{
        {u"YEAR"_s, u"%Y"_s}, {u"MONTH"_s, u"%m"_s}, {u"DAY"_s, u"%d"_s},
        {u"HOUR"_s, u"%H"_s}, {u"MINUTE"_s, u"%M"_s}, {u"SECOND"_s, u"%S"_s},
        {u"DAYOFWEEK"_s, u"%w"_s},
    };
    const qsizetype partAt = nextSolid(inner, 0);
    const qsizetype fromAt = nextSolid(inner, partAt + 1);
    if (fromAt >= inner.size() || inner[partAt].kind != Token::Word || !isWord(inner[fromAt], u"FROM"))
        return std::nullopt;
    const QString part = inner[partAt].text.toUpper();
    if (!formats.contains(part))
        return std::nullopt;
    const QString value = u"CAST(strftime('"_s + formats.value(part) + u"', "_s
                          + translateRange(inner, fromAt + 1, inner.size()) + u") AS INTEGER)"_s;
    return part == u"DAYOFWEEK"_s ? u"("_s + value + u" + 1)"_s : value;
}

// IF (c THEN a ELSE b): a CASE expression.
std::optional<QString> conditional(const Tokens &inner)
{
    const QList<qsizetype> thens = topLevelWords(inner, u"THEN");
    const QList<qsizetype> elses = topLevelWords(inner, u"ELSE");
    if (thens.size() != 1 || elses.size() > 1 || (elses.size() == 1 && elses.first() < thens.first()))
        return std::nullopt;
    const qsizetype thenAt = thens.first();
    const qsizetype elseAt = elses.isEmpty() ? inner.size() : elses.first();
    QString result = u"(CASE WHEN "_s + translateRange(inner, 0, thenAt) + u" THEN "_s
                     + translateRange(inner, thenAt + 1, elseAt);
    if (elseAt < inner.size())
        result += u" ELSE "_s + translateRange(inner, elseAt + 1, inner.size());
    return result + u" END)"_s;
}

using Rewrite = std::optional<QString> (*)(const Tokens &);

Rewrite rewriteFor(const Token &token)
{
    if (isWord(token, u"CAST"))
        return castToDate;
    if (isWord(token, u"EXTRACT"))
        return extractPart;
    if (isWord(token, u"IF"))
        return conditional;
    return nullptr;
}

QString bracketToQuoted(const QString &bracketed)
{
    QString name = bracketed.mid(1, bracketed.endsWith(u']') ? bracketed.size() - 2 : bracketed.size() - 1);
    return u'"' + name.replace(u'"', u"\"\""_s) + u'"';
}

bool followsDot(const Tokens &tokens, qsizetype i)
{
    return i > 0 && tokens[i - 1].kind == Token::Other && tokens[i - 1].text == u"."_s;
}

QString translate(const Tokens &tokens)
{
    QString out;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const Token &token = tokens[i];
        if (const Rewrite rewrite = rewriteFor(token)) {
            const qsizetype open = nextSolid(tokens, i + 1);
            if (open < tokens.size() && tokens[open].kind == Token::Open) {
                const qsizetype close = matchingClose(tokens, open);
                if (const auto rewritten = rewrite(tokens.mid(open + 1, close - open - 1))) {
                    out += *rewritten;
                    i = close;
                    continue;
                }
            }
        }
        if (token.kind == Token::BracketName)
            out += bracketToQuoted(token.text);
        else if (!followsDot(tokens, i) && isWord(token, u"True"))
            out += u'1';
        else if (!followsDot(tokens, i) && isWord(token, u"False"))
            out += u'0';
        else if (token.kind == Token::Open) {
            const qsizetype close = matchingClose(tokens, i);
            out += u'(' + translate(tokens.mid(i + 1, close - i - 1));
            if (close < tokens.size())
                out += u')';
            i = close;
        } else
            out += token.text;
    }
    return out;
}

} // namespace

QString TranslateDialect(const QString &statement)
{
    return translate(tokenize(statement));
}
