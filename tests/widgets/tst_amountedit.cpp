#include "widgets/AmountEdit.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

class TestAmountEdit : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void showsFixedTwoDecimalsInFull_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << u"C"_s << 9.701 << u"9.70"_s;
        QTest::newRow("negative") << u"C"_s << -1.5 << u"-1.50"_s;
        QTest::newRow("seven digits") << u"C"_s << 1234567.891 << u"1234567.89"_s;
        QTest::newRow("comma locale") << u"de_DE"_s << 11.19 << u"11,19"_s;
    }

    void showsFixedTwoDecimalsInFull()
    {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, shown);
        QLocale::setDefault(QLocale(locale));
        TAmountEdit box;
        box.setAmount(value);
        QCOMPARE(box.text(), shown);
        QCOMPARE(box.amount(), std::round(value * 100) / 100);
    }

    void maskTakesOnlyAnAmount_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("amount") << u"12.50"_s << u"12.50"_s;
        QTest::newRow("letters dropped") << u"1a2"_s << u"12"_s;
        QTest::newRow("third decimal dropped") << u"1.234"_s << u"1.23"_s;
        QTest::newRow("minus") << u"-3"_s << u"-3"_s;
    }

    void maskTakesOnlyAnAmount()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        TAmountEdit box;
        box.applyAmountMask();
        QTest::keyClicks(&box, typed);
        QCOMPARE(box.text(), kept);
        QCOMPARE(box.alignment() & Qt::AlignRight, Qt::AlignRight);
    }
};

QTEST_MAIN(TestAmountEdit)
#include "tst_amountedit.moc"
