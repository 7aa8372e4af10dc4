#include "config/TextHelpers.h"
#include "ConversionError.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString point = u"C"_s;
const QString comma = u"de_DE"_s;
}

class TestTextHelpers : public QObject
{
    Q_OBJECT

private:
    QLocale m_startLocale;

    void useLocale(const QString &name) { QLocale::setDefault(QLocale(name)); }

private slots:
    void initTestCase() { m_startLocale = QLocale(); }
    void cleanup() { QLocale::setDefault(m_startLocale); }

    void lenientNumberReadsTheFirstNumber_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("percent") << point << u"10%"_s << 10.0;
        QTest::newRow("leading blanks, unit") << point << u"   -3.5kg"_s << -3.5;
        QTest::newRow("no number") << point << u"abc"_s << 0.0;
        QTest::newRow("empty") << point << QString() << 0.0;
        QTest::newRow("minus inside") << point << u"1-2"_s << 1.0;
        QTest::newRow("currency") << point << u"$12.50"_s << 12.5;
        QTest::newRow("words after") << point << u"5 off"_s << 5.0;
        QTest::newRow("leading separator") << point << u".5"_s << 0.5;
        QTest::newRow("comma: currency") << comma << u"$12,50"_s << 12.5;
        QTest::newRow("comma: point stops") << comma << u"12.50"_s << 12.0;
    }

    void lenientNumberReadsTheFirstNumber()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(double, expected);
        useLocale(locale);
        QCOMPARE(LenientNumber(text), expected);
    }

    void lenientNumberRaisesOnAnInvalidNumber_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("two separators") << point << u"1.2.3"_s << u"'1.2.3' is not a valid floating point value"_s;
        QTest::newRow("lone minus") << point << u"-"_s << u"'-' is not a valid floating point value"_s;
        QTest::newRow("lone separator") << point << u"x."_s << u"'.' is not a valid floating point value"_s;
        QTest::newRow("comma: two separators") << comma << u"1,2,3 kg"_s << u"'1,2,3' is not a valid floating point value"_s;
    }

    void lenientNumberRaisesOnAnInvalidNumber()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(QString, message);
        useLocale(locale);
        QCOMPARE(conversionErrorOf([&] { LenientNumber(text); }), message);
    }

    void lenientIntegerReadsTheFirstInteger_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("minus inside") << u"12-3"_s << 12;
        QTest::newRow("minus, blank, digit") << u"- 5"_s << 5;
        QTest::newRow("minus, two blanks, digit") << u"-  5"_s << 0;
        QTest::newRow("letters around") << u"x7y"_s << 7;
        QTest::newRow("negative") << u"qty -42"_s << -42;
        QTest::newRow("no digits") << u"abc"_s << 0;
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("largest") << u"2147483647"_s << 2147483647;
    }

    void lenientIntegerReadsTheFirstInteger()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(LenientInteger(text), expected);
    }

    void lenientIntegerRaisesOnAnInvalidInteger_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("lone minus") << u"-"_s << u"'-' is not a valid integer value"_s;
        QTest::newRow("too large") << u"n2147483648"_s << u"'2147483648' is not a valid integer value"_s;
    }

    void lenientIntegerRaisesOnAnInvalidInteger()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        QCOMPARE(conversionErrorOf([&] { LenientInteger(text); }), message);
    }

    void strToFloatUsesTheLocaleSeparator_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("expected");
        QTest::newRow("point") << point << u"1.5"_s << true << 1.5;
        QTest::newRow("point: exponent") << point << u" -2.5E3 "_s << true << -2500.0;
        QTest::newRow("point: comma refused") << point << u"0,07"_s << false << 0.0;
        QTest::newRow("comma") << comma << u"0,07"_s << true << 0.07;
        QTest::newRow("comma: point refused") << comma << u"0.07"_s << false << 0.0;
        QTest::newRow("empty") << point << QString() << false << 0.0;
        QTest::newRow("thousands separator refused") << point << u"1,000.5"_s << false << 0.0;
        QTest::newRow("overflow") << point << u"1E999"_s << false << 0.0;
    }

    void strToFloatUsesTheLocaleSeparator()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, expected);
        useLocale(locale);
        if (valid) {
            QCOMPARE(StrToFloat(text), expected);
        } else {
            QVERIFY_THROWS_EXCEPTION(EConvertError, StrToFloat(text));
        }
    }

    void strToIntReadsWholeNumbers()
    {
        QCOMPARE(StrToInt(u" -17 "_s), -17);
        QVERIFY_THROWS_EXCEPTION(EConvertError, StrToInt(u"1.5"_s));
        QVERIFY_THROWS_EXCEPTION(EConvertError, StrToInt(QString()));
    }

    void isNumberTextFollowsTheNeutralRule_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        QTest::newRow("leading blanks") << point << u"  1.5"_s << true;
        QTest::newRow("trailing blank") << point << u"1.5 "_s << false;
        QTest::newRow("signed exponent") << point << u"-1e+5"_s << true;
        QTest::newRow("exponent without digits") << point << u"1e"_s << false;
        QTest::newRow("point only fraction") << point << u"+.5"_s << true;
        QTest::newRow("letters") << point << u"12a"_s << false;
        QTest::newRow("empty") << point << QString() << false;
        QTest::newRow("comma: point still") << comma << u"2.5"_s << true;
        QTest::newRow("comma: comma refused") << comma << u"2,5"_s << false;
    }

    void isNumberTextFollowsTheNeutralRule()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(bool, expected);
        useLocale(locale);
        QCOMPARE(IsNumberText(text), expected);
    }

    void generalNumberText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("pointText");
        QTest::addColumn<QString>("commaText");
        QTest::newRow("fraction") << 12.5 << u"12.5"_s << u"12,5"_s;
        QTest::newRow("rate") << 0.07 << u"0.07"_s << u"0,07"_s;
        QTest::newRow("whole") << 250.0 << u"250"_s << u"250"_s;
        QTest::newRow("zero") << 0.0 << u"0"_s << u"0"_s;
        QTest::newRow("negative") << -1234567.25 << u"-1234567.25"_s << u"-1234567,25"_s;
        QTest::newRow("binary noise") << 0.1 + 0.2 << u"0.3"_s << u"0,3"_s;
        QTest::newRow("15 digits") << 1.23456789012345678 << u"1.23456789012346"_s << u"1,23456789012346"_s;
        QTest::newRow("smallest fixed") << 0.00001 << u"0.00001"_s << u"0,00001"_s;
        QTest::newRow("small") << 0.000001 << u"1E-6"_s << u"1E-6"_s;
        QTest::newRow("small with digits") << -0.00000015 << u"-1.5E-7"_s << u"-1,5E-7"_s;
        QTest::newRow("largest fixed") << 999999999999999.0 << u"999999999999999"_s << u"999999999999999"_s;
        QTest::newRow("rounds up to 1E15") << 999999999999999.9 << u"1E15"_s << u"1E15"_s;
        QTest::newRow("10 to the 15th") << 1e15 << u"1E15"_s << u"1E15"_s;
        QTest::newRow("large") << 1.5e20 << u"1.5E20"_s << u"1,5E20"_s;
        QTest::newRow("very large") << 1e100 << u"1E100"_s << u"1E100"_s;
    }

    void generalNumberText()
    {
        QFETCH(double, value);
        QFETCH(QString, pointText);
        QFETCH(QString, commaText);
        useLocale(point);
        QCOMPARE(GeneralNumberText(value), pointText);
        useLocale(comma);
        QCOMPARE(GeneralNumberText(value), commaText);
    }

    void generalNumberTextReadsBack()
    {
        useLocale(comma);
        for (const double value : {0.07, 1.5e20, -0.000001, 123456.789})
            QCOMPARE(StrToFloat(GeneralNumberText(value)), value);
    }

    void fixedTwoDecimals_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("pointText");
        QTest::addColumn<QString>("commaText");
        QTest::newRow("one decimal") << 12.5 << u"12.50"_s << u"12,50"_s;
        QTest::newRow("zero") << 0.0 << u"0.00"_s << u"0,00"_s;
        QTest::newRow("half just below in binary") << 2.675 << u"2.68"_s << u"2,68"_s;
        QTest::newRow("another such half") << 1.005 << u"1.01"_s << u"1,01"_s;
        QTest::newRow("negative half") << -2.675 << u"-2.68"_s << u"-2,68"_s;
        QTest::newRow("exact half") << 0.125 << u"0.13"_s << u"0,13"_s;
        QTest::newRow("smallest half") << 0.005 << u"0.01"_s << u"0,01"_s;
        QTest::newRow("below half") << 0.994999 << u"0.99"_s << u"0,99"_s;
        QTest::newRow("carry") << 9.995 << u"10.00"_s << u"10,00"_s;
        QTest::newRow("negative to zero") << -0.001 << u"0.00"_s << u"0,00"_s;
        QTest::newRow("no thousands separator") << 1234567.891 << u"1234567.89"_s << u"1234567,89"_s;
        QTest::newRow("tiny") << 1e-20 << u"0.00"_s << u"0,00"_s;
    }

    void fixedTwoDecimals()
    {
        QFETCH(double, value);
        QFETCH(QString, pointText);
        QFETCH(QString, commaText);
        useLocale(point);
        QCOMPARE(FixedTwoDecimals(value), pointText);
        useLocale(comma);
        QCOMPARE(FixedTwoDecimals(value), commaText);
    }

    void textOperations()
    {
        QCOMPARE(AndJoin(QString(), u"A=1"_s), u"A=1"_s);
        QCOMPARE(AndJoin(u"A=1"_s, u"B=2"_s), u"A=1 AND B=2"_s);
        QCOMPARE(BoolText(true), u"True"_s);
        QCOMPARE(BoolText(false), u"False"_s);
        QCOMPARE(LineBreaksToBlanks(u"a\r\nb\nc\r\n\r\nd"_s), u"a b\nc  d"_s);
        QCOMPARE(QuotedText(u"O'Brien's"_s), u"'O''Brien''s'"_s);
        QCOMPARE(LeftText(u"abc"_s, 2), u"ab"_s);
        QCOMPARE(LeftText(u"abc"_s, 5), u"abc"_s);
        QCOMPARE(RightText(u"abc"_s, 2), u"bc"_s);
        QCOMPARE(RightText(u"abc"_s, 5), u"abc"_s);
        QCOMPARE(RightText(u"abc"_s, -1), QString());
    }

    void replaceFirstText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("oldText");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("expected");
        QTest::newRow("from the second character") << u"Blue blue"_s << u"BLUE"_s << 2 << u"Blue red"_s;
        QTest::newRow("from the start") << u"Blue blue"_s << u"BLUE"_s << 1 << u"red blue"_s;
        QTest::newRow("start 0 counts as 1") << u"Blue blue"_s << u"blue"_s << 0 << u"red blue"_s;
        QTest::newRow("not found") << u"Blue blue"_s << u"green"_s << 1 << u"Blue blue"_s;
        QTest::newRow("start beyond") << u"Blue blue"_s << u"blue"_s << 7 << u"Blue blue"_s;
    }

    void replaceFirstText()
    {
        QFETCH(QString, text);
        QFETCH(QString, oldText);
        QFETCH(int, start);
        QFETCH(QString, expected);
        QCOMPARE(ReplaceFirstText(text, oldText, u"red"_s, start), expected);
    }

    void posFrom_data()
    {
        QTest::addColumn<QString>("part");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("expected");
        QTest::newRow("first") << u"b"_s << 1 << 2;
        QTest::newRow("start 0 counts as 1") << u"b"_s << 0 << 2;
        QTest::newRow("later") << u"b"_s << 3 << 4;
        QTest::newRow("case matters") << u"B"_s << 1 << 0;
        QTest::newRow("beyond") << u"b"_s << 5 << 0;
    }

    void posFrom()
    {
        QFETCH(QString, part);
        QFETCH(int, start);
        QFETCH(int, expected);
        QCOMPARE(PosFrom(part, u"abcb"_s, start), expected);
    }

    void isoTextsIgnoreTheLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("point") << point;
        QTest::newRow("comma") << comma;
        QTest::newRow("time separator point") << u"fi_FI"_s;
    }

    void isoTextsIgnoreTheLocale()
    {
        QFETCH(QString, locale);
        useLocale(locale);
        const QDateTime afternoon(QDate(2024, 3, 15), QTime(14, 5, 9));
        QCOMPARE(IsoDateText(afternoon.date()), u"2024-03-15"_s);
        QCOMPARE(QuotedIsoDateText(afternoon.date()), u"'2024-03-15'"_s);
        QCOMPARE(IsoDateTimeText(afternoon), u"2024-03-15 14:05:09"_s);
        QCOMPARE(HourMinuteText(afternoon), u"14:05"_s);
        QCOMPARE(HourMinuteText(QDateTime(QDate(2024, 1, 2), QTime(9, 7))), u"09:07"_s);
    }

    void shortDayNames()
    {
        const QStringList names{u"Sun"_s, u"Mon"_s, u"Tue"_s, u"Wed"_s, u"Thu"_s, u"Fri"_s, u"Sat"_s};
        for (int day = 1; day <= 7; ++day)
            QCOMPARE(ShortDayName(day), names[day - 1]);
    }
};

QTEST_GUILESS_MAIN(TestTextHelpers)
#include "tst_texthelpers.moc"
