#include "config/TextHelpers.h"

#include <QLocale>

#include <array>
#include <cmath>
#include <limits>
#include <optional>

namespace {

bool isAsciiDigit(QChar ch)
{
    return ch >= u'0' && ch <= u'9';
}

QChar decimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QChar(u'.') : point.front();
}

// The parts of a number text: sign, digits before and after the separator,
// and the exponent digits. Filled only when the whole text is a number.
struct NumberParts {
    QString sign;
    QString integerDigits;
    QString fractionDigits;
    QString exponent;
};

QString takeDigits(QStringView text, qsizetype &at)
{
    const qsizetype start = at;
    while (at < text.size() && isAsciiDigit(text[at]))
        ++at;
    return text.mid(start, at - start).toString();
}

QString takeSign(QStringView text, qsizetype &at)
{
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+'))
        return text[at++] == u'-' ? QStringLiteral("-") : QString();
    return QString();
}

// Sign, digits, an optional separator with digits, an optional exponent;
// at least one digit in the mantissa and nothing after the number.
std::optional<NumberParts> splitNumber(QStringView text, QChar separator)
{
    NumberParts parts;
    qsizetype at = 0;
    parts.sign = takeSign(text, at);
    parts.integerDigits = takeDigits(text, at);
    if (at < text.size() && text[at] == separator) {
        ++at;
        parts.fractionDigits = takeDigits(text, at);
    }
    if (parts.integerDigits.isEmpty() && parts.fractionDigits.isEmpty())
        return std::nullopt;
    if (at < text.size() && (text[at] == u'e' || text[at] == u'E')) {
        ++at;
        const QString exponentSign = takeSign(text, at);
        const QString exponentDigits = takeDigits(text, at);
        if (exponentDigits.isEmpty())
            return std::nullopt;
        parts.exponent = exponentSign + exponentDigits;
    }
    if (at != text.size())
        return std::nullopt;
    return parts;
}

std::optional<double> numberValue(QStringView text, QChar separator)
{
    const std::optional<NumberParts> parts = splitNumber(text, separator);
    if (!parts)
        return std::nullopt;
    // Rebuilt in the C form, so that the conversion never depends on a locale.
    QString plain = parts->sign + (parts->integerDigits.isEmpty() ? QStringLiteral("0") : parts->integerDigits);
    if (!parts->fractionDigits.isEmpty())
        plain += u'.' + parts->fractionDigits;
    if (!parts->exponent.isEmpty())
        plain += u'e' + parts->exponent;
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QStringView withoutLeadingBlanks(QStringView text)
{
    qsizetype at = 0;
    while (at < text.size() && text[at].isSpace())
        ++at;
    return text.mid(at);
}

// A finite value as its 15 significant decimal digits: value = 0.d1d2...d15 * 10^(exponent + 1).
struct SignificantDigits {
    bool negative = false;
    QString digits;
    int exponent = 0;
};

SignificantDigits significantDigits(double value)
{
    // "d.dddddddddddddde+XX": correctly rounded from the binary value.
    const QString scientific = QString::number(std::fabs(value), 'e', 14);
    const qsizetype e = scientific.indexOf(u'e');
    SignificantDigits result;
    result.negative = std::signbit(value) && value != 0;
    result.digits = scientific.left(e).remove(u'.');
    result.exponent = scientific.mid(e + 1).toInt();
    return result;
}

// The digits placed around the decimal point, without any rounding.
struct FixedParts {
    QString integer;
    QString fraction;
};

FixedParts fixedParts(const SignificantDigits &number)
{
    if (number.exponent < 0)
        return {QStringLiteral("0"), QString(-number.exponent - 1, u'0') + number.digits};
    const qsizetype integerLength = number.exponent + 1;
    if (integerLength >= number.digits.size())
        return {number.digits + QString(integerLength - number.digits.size(), u'0'), QString()};
    return {number.digits.left(integerLength), number.digits.mid(integerLength)};
}

QString withoutTrailingZeros(QString digits)
{
    while (digits.endsWith(u'0'))
        digits.chop(1);
    return digits;
}

// Adds one to a text of decimal digits.
QString incremented(QString digits)
{
    qsizetype at = digits.size() - 1;
    while (at >= 0 && digits[at] == u'9')
        digits[at--] = u'0';
    if (at < 0)
        return u'1' + digits;
    digits[at] = QChar(digits[at].unicode() + 1);
    return digits;
}

QString exponentForm(const SignificantDigits &number, QChar separator)
{
    const QString digits = withoutTrailingZeros(number.digits);
    QString text = digits.left(1);
    if (digits.size() > 1)
        text += separator + digits.mid(1);
    return text + u'E' + QString::number(number.exponent);
}

QString fixedForm(const SignificantDigits &number, QChar separator)
{
    const FixedParts parts = fixedParts(number);
    const QString fraction = withoutTrailingZeros(parts.fraction);
    return fraction.isEmpty() ? parts.integer : parts.integer + separator + fraction;
}

QString nonFiniteText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// A 1-based start position as an index; 0 and below count as the first character.
qsizetype indexFrom(int start)
{
    return start < 1 ? 0 : start - 1;
}

QString conversionMessage(const QString &text, const char *kind)
{
    return u'\'' + text + QStringLiteral("' is not a valid ") + QLatin1StringView(kind) + QStringLiteral(" value");
}

} // namespace

double StrToFloat(const QString &text)
{
    if (const std::optional<double> value = numberValue(QStringView(text).trimmed(), decimalSeparator()))
        return *value;
    throw EConvertError(conversionMessage(text, "floating point"));
}

int StrToInt(const QString &text)
{
    const QStringView trimmed = QStringView(text).trimmed();
    qsizetype at = 0;
    const QString sign = takeSign(trimmed, at);
    const QString digits = takeDigits(trimmed, at);
    bool ok = false;
    const qlonglong value = at == trimmed.size() && !digits.isEmpty()
        ? QString(sign + digits).toLongLong(&ok)
        : 0;
    if (!ok || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw EConvertError(conversionMessage(text, "integer"));
    return static_cast<int>(value);
}

double LenientNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    const QChar separator = decimalSeparator();
    const auto startsNumber = [separator](QChar ch) { return isAsciiDigit(ch) || ch == separator || ch == u'-'; };
    qsizetype at = 0;
    while (at < trimmed.size() && !startsNumber(trimmed[at]))
        ++at;
    if (at == trimmed.size())
        return 0;
    QString collected;
    for (; at < trimmed.size(); ++at) {
        const QChar ch = trimmed[at];
        if (!(isAsciiDigit(ch) || ch == separator || (ch == u'-' && collected.isEmpty())))
            break;
        collected += ch;
    }
    return StrToFloat(collected);
}

int LenientInteger(const QString &text)
{
    qsizetype at = 0;
    while (at < text.size() && !isAsciiDigit(text[at]) && text[at] != u'-')
        ++at;
    QString collected;
    for (; at < text.size(); ++at) {
        const QChar ch = text[at];
        if (isAsciiDigit(ch) || (ch == u'-' && collected.isEmpty())) {
            collected += ch;
        } else if (collected == u"-" && ch == u' ') {
            // A minus with a blank after it is no sign: "- 5" reads as 5.
            collected.clear();
        } else {
            break;
        }
    }
    return collected.isEmpty() ? 0 : StrToInt(collected);
}

bool IsNumberText(const QString &text)
{
    return numberValue(withoutLeadingBlanks(text), u'.').has_value();
}

QString GeneralNumberText(double value)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    if (value == 0)
        return QStringLiteral("0");
    const SignificantDigits number = significantDigits(value);
    const QChar separator = decimalSeparator();
    // Decided on the rounded digits, so 999999999999999.9 is written as 1E15.
    const bool useExponent = number.exponent < -5 || number.exponent >= 15;
    const QString text = useExponent ? exponentForm(number, separator) : fixedForm(number, separator);
    return number.negative ? u'-' + text : text;
}

QString FixedTwoDecimals(double value)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    // Rounding the 15-digit decimal form, not the binary value, makes 2.675 give 2.68
    // as it reads, although the nearest double lies just below it.
    const SignificantDigits number = significantDigits(value);
    const FixedParts parts = fixedParts(number);
    const QString fraction = parts.fraction + QStringLiteral("000");
    QString hundredths = parts.integer + fraction.left(2);
    if (fraction[2] >= u'5')
        hundredths = incremented(hundredths);
    const QString integer = hundredths.left(hundredths.size() - 2);
    const QString text = (integer.isEmpty() ? QStringLiteral("0") : integer) + decimalSeparator() + hundredths.right(2);
    const bool isZero = hundredths.count(u'0') == hundredths.size();
    return number.negative && !isZero ? u'-' + text : text;
}

QString AndJoin(const QString &soFar, const QString &part)
{
    return soFar.isEmpty() ? part : soFar + QStringLiteral(" AND ") + part;
}

QString BoolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString LineBreaksToBlanks(const QString &text)
{
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
}

QString ReplaceFirstText(const QString &text, const QString &oldText, const QString &newText, int start)
{
    if (oldText.isEmpty())
        return text;
    const qsizetype found = text.indexOf(oldText, indexFrom(start), Qt::CaseInsensitive);
    if (found < 0)
        return text;
    return QString(text).replace(found, oldText.size(), newText);
}

int PosFrom(const QString &part, const QString &text, int start)
{
    if (part.isEmpty())
        return 0;
    return static_cast<int>(text.indexOf(part, indexFrom(start)) + 1);
}

QString LeftText(const QString &text, int count)
{
    return count <= 0 ? QString() : text.left(count);
}

QString RightText(const QString &text, int count)
{
    return count <= 0 ? QString() : text.right(count);
}

QString QuotedText(const QString &text)
{
    return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}

QString IsoDateText(const QDate &date)
{
    return date.toString(u"yyyy-MM-dd");
}

QString QuotedIsoDateText(const QDate &date)
{
    return QuotedText(IsoDateText(date));
}

QString IsoDateTimeText(const QDateTime &dateTime)
{
    return dateTime.toString(u"yyyy-MM-dd hh:mm:ss");
}

QString HourMinuteText(const QDateTime &dateTime)
{
    return dateTime.toString(u"hh:mm");
}

QString ShortDayName(int dayNumber)
{
    static const std::array<const char16_t *, 7> names = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
    if (dayNumber < 1 || dayNumber > 7)
        return QString();
    return QString::fromUtf16(names[dayNumber - 1]);
}
