#include "config/TextHelpers.h"
#include "ConversionError.h"
#include "selling/SaleCompletion.h"
#include "selling/SaleTotals.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
SaleLine priced(const QString &quantity, const QString &price)
{
    return {u"P"_s, u"Thing"_s, quantity, price};
}
}

class TestSaleTotals : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void totals_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QList<SaleLine>>("lines");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("coupon");
        QTest::addColumn<double>("taxRate");
        QTest::addColumn<QString>("subTotal");
        QTest::addColumn<QString>("tax");
        QTest::addColumn<QString>("grandTotal");
        const QList<SaleLine> example{priced(u"2"_s, u"3.10"_s), priced(u"1"_s, u"4.99"_s)};
        QTest::newRow("worked example") << u"C"_s << example << u"10%"_s << u"1"_s << 0.07
                                        << u"11.19"_s << u"0.63"_s << u"9.70"_s;
        QTest::newRow("comma locale") << u"de_DE"_s
                                      << QList<SaleLine>{priced(u"2"_s, u"3,10"_s), priced(u"1"_s, u"4,99"_s)}
                                      << u"10%"_s << u"1"_s << 0.07 << u"11,19"_s << u"0,63"_s << u"9,70"_s;
        QTest::newRow("blank price skipped")
            << u"C"_s << QList<SaleLine>{priced(u"x"_s, u"  "_s), priced(u"3"_s, u"2.00"_s)}
            << u"0%"_s << u"0"_s << 0.0 << u"6.00"_s << u"0.00"_s << u"6.00"_s;
        QTest::newRow("discount without digits, half percent")
            << u"C"_s << QList<SaleLine>{priced(u"1"_s, u"100.00"_s)} << u"staff"_s << u"5 off"_s << 0.0
            << u"100.00"_s << u"0.00"_s << u"95.00"_s;
        QTest::newRow("decimal discount") << u"C"_s << QList<SaleLine>{priced(u"1"_s, u"100.00"_s)}
                                          << u"12.5%"_s << u"0"_s << 0.0 << u"100.00"_s << u"0.00"_s
                                          << u"87.50"_s;
        QTest::newRow("coupon beyond the sale")
            << u"C"_s << QList<SaleLine>{priced(u"1"_s, u"4.00"_s)} << u"0%"_s << u"10"_s << 0.1
            << u"4.00"_s << u"-0.60"_s << u"-6.60"_s;
        QTest::newRow("no lines") << u"C"_s << QList<SaleLine>{} << u"0%"_s << u"0"_s << 0.07 << u"0.00"_s
                                  << u"0.00"_s << u"0.00"_s;
    }

    void totals()
    {
        QFETCH(QString, locale);
        QFETCH(QList<SaleLine>, lines);
        QFETCH(QString, discount);
        QFETCH(QString, coupon);
        QFETCH(double, taxRate);
        QLocale::setDefault(QLocale(locale));
        const SaleTotals totals = ComputeSaleTotals(lines, discount, coupon, taxRate);
        QTEST(totals.subTotal, "subTotal");
        QTEST(totals.tax, "tax");
        QTEST(totals.grandTotal, "grandTotal");
    }

    void aPricedLineThatIsNoNumberStopsTheTotals_data()
    {
        QTest::addColumn<SaleLine>("line");
        QTest::addColumn<QString>("message");
        QTest::newRow("quantity") << priced(u"two"_s, u"1.00"_s) << u"'two' is not a valid floating point value"_s;
        QTest::newRow("price") << priced(u"1"_s, u"1,00"_s) << u"'1,00' is not a valid floating point value"_s;
    }

    void aPricedLineThatIsNoNumberStopsTheTotals()
    {
        QFETCH(SaleLine, line);
        QFETCH(QString, message);
        QCOMPARE(conversionErrorOf([&] { ComputeSaleTotals({line}, u"0%"_s, u"0"_s, 0.07); }), message);
    }

    void changeInGeneralNotation_data()
    {
        QTest::addColumn<QString>("tendered");
        QTest::addColumn<QString>("grandTotal");
        QTest::addColumn<QString>("change");
        QTest::newRow("cents") << u"20"_s << u"13.37"_s << u"6.63"_s;
        QTest::newRow("exact") << u"10"_s << u"10.00"_s << u"0"_s;
        QTest::newRow("half") << u"5.5"_s << u"5.00"_s << u"0.5"_s;
        QTest::newRow("no number tendered") << u"abc"_s << u"2.00"_s << u"-2"_s;
    }

    void changeInGeneralNotation()
    {
        QFETCH(QString, tendered);
        QFETCH(QString, grandTotal);
        QTEST(ChangeText(tendered, grandTotal), "change");
    }

    void cashBoxesOnlyForCash()
    {
        QVERIFY(CashBoxesEnabled(0));
        QVERIFY(!CashBoxesEnabled(1));
        QVERIFY(!CashBoxesEnabled(-1));
    }

    void refusals_data()
    {
        QTest::addColumn<int>("payment");
        QTest::addColumn<QString>("grandTotal");
        QTest::addColumn<QString>("tendered");
        QTest::addColumn<bool>("printed");
        QTest::addColumn<QString>("message");
        QTest::newRow("no payment") << -1 << u"5.00"_s << u"0"_s << true << u"You must choose a payment type."_s;
        QTest::newRow("short cash") << 0 << u"5.00"_s << u"4.99"_s << true
                                    << u"You must enter the amount of cash tendered."_s;
        QTest::newRow("exact cash") << 0 << u"5.00"_s << u"5"_s << false << QString();
        QTest::newRow("card ignores cash") << 2 << u"5.00"_s << u"0"_s << false << QString();
        QTest::newRow("printed") << 2 << u"5.00"_s << u"0"_s << true << u"This receipt has already been printed."_s;
    }

    void refusals()
    {
        QFETCH(int, payment);
        QFETCH(QString, grandTotal);
        QFETCH(QString, tendered);
        QFETCH(bool, printed);
        QTEST(CompletionRefusal({payment, grandTotal, tendered, printed}), "message");
    }
};

QTEST_GUILESS_MAIN(TestSaleTotals)
#include "tst_saletotals.moc"
