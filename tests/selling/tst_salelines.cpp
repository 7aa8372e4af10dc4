#include "selling/LineCompletion.h"
#include "selling/SaleCompletion.h"
#include "selling/SaleError.h"
#include "selling/SaleLists.h"
#include "store/Lookups.h"

#include "TestEnvironment.h"

#include <QFile>
#include <QHash>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
class ListCatalogue final : public ProductLookup
{
public:
    QHash<QString, QString> idByUPC{{u"070123456789"_s, u"P100"_s}};
    QHash<QString, ProductDetails> products{{u"P100"_s, {u"Kettle"_s, u"24.50"_s}}};

    QString productIDByUPC(const QString &upc) override { return idByUPC.value(upc); }
    ProductDetails product(const QString &productID) override
    {
        return products.value(productID, ProductDetails{QString(), u"0.00"_s});
    }
};

SaleLine line(const QString &item, const QString &quantity)
{
    return {item, QString(), quantity, u"1.00"_s};
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}
}

class TestSaleLines : public QObject
{
    Q_OBJECT

private slots:
    void completion_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("line");
        QTest::newRow("product code") << u"P100"_s << QStringList{u"P100"_s, u"Kettle"_s, u"1"_s, u"24.50"_s};
        QTest::newRow("bar code") << u"070123456789"_s << QStringList{u"P100"_s, u"Kettle"_s, u"1"_s, u"24.50"_s};
        QTest::newRow("unknown bar code") << u"0701234567890"_s << QStringList{QString(), QString(), u"1"_s, u"0.00"_s};
        QTest::newRow("unknown code") << u"Q9"_s << QStringList{u"Q9"_s, QString(), u"1"_s, u"0.00"_s};
    }

    void completion()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, line);
        ListCatalogue catalogue;
        const std::optional<CompletedLine> done = CompleteLine(typed, catalogue);
        QVERIFY(done);
        QCOMPARE((QStringList{done->item, done->description, done->quantity, done->price}), line);
    }

    void anEmptyItemIsLeftAlone()
    {
        ListCatalogue catalogue;
        QVERIFY(!CompleteLine(QString(), catalogue));
    }

    void upcTest_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("upc");
        QTest::newRow("12 digits") << u"070123456789"_s << true;
        QTest::newRow("13 digits") << u"4006381333931"_s << true;
        QTest::newRow("11 digits") << u"07012345678"_s << false;
        QTest::newRow("letter at the end") << u"07012345678A"_s << false;
        QTest::newRow("blank at the end") << u"07012345678 "_s << false;
        QTest::newRow("product code") << u"P100"_s << false;
    }

    void upcTest()
    {
        QFETCH(QString, text);
        QTEST(IsUPCCode(text), "upc");
    }

    void oneRowPerProductWithItsQuantitiesAdded()
    {
        const QList<SaleItemRow> rows = SaleItemRows(
            {line(u"P1"_s, u"2"_s), line(QString(), u"9"_s), line(u"P2"_s, QString()), line(u"P1"_s, u"3"_s)});
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].productID, u"P1"_s);
        QCOMPARE(rows[0].quantity, std::optional<int>(5));
        QCOMPARE(rows[1].productID, u"P2"_s);
        QVERIFY(!rows[1].quantity);
    }

    void wholeNumbersOnly_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("coupon");
        QTest::addColumn<QString>("message");
        QTest::newRow("quantity") << u"2.9"_s << u"1"_s
                                  << u"The quantity '2.9' of item P1 is not a whole number."_s;
        QTest::newRow("coupon") << u"2"_s << u"5 off"_s << u"The coupon '5 off' is not a whole amount."_s;
    }

    void wholeNumbersOnly()
    {
        QFETCH(QString, quantity);
        QFETCH(QString, coupon);
        QFETCH(QString, message);
        try {
            SaleItemRows({line(u"P1"_s, quantity)});
            CouponAmount(coupon);
            QFAIL("a broken amount was accepted");
        } catch (const SaleError &error) {
            QCOMPARE(error.message(), message);
        }
    }

    void piecesAreTheWholePartOfTheQuantity()
    {
        QCOMPARE(PiecesOfLine(line(u"P1"_s, u"2.9"_s)), 2);
        QCOMPARE(PiecesOfLine(line(u"P1"_s, u"-1.5"_s)), -1);
        QCOMPARE(PiecesOfLine(line(u"P1"_s, QString())), 0);
    }

    void listFilesLoadInFileOrder()
    {
        TestEnvironment env;
        writeFile(env.dataFolder() + u"discounts.txt"_s, "0%\r\n10%\r\n");
        writeFile(env.dataFolder() + u"discountTypes.txt"_s, "Senior\nStaff");
        writeFile(env.dataFolder() + u"coupons.txt"_s, "0\n\n5\n");
        const SaleListEntries lists = LoadSaleLists(env.dataFolder());
        QCOMPARE(lists.discounts, (QStringList{u"0%"_s, u"10%"_s}));
        QCOMPARE(lists.discountTypes, (QStringList{u"Senior"_s, u"Staff"_s}));
        QCOMPARE(lists.coupons, (QStringList{u"0"_s, QString(), u"5"_s}));
    }

    void aMissingListFileNamesItsPath()
    {
        TestEnvironment env;
        writeFile(env.dataFolder() + u"discounts.txt"_s, "0%\n");
        try {
            LoadSaleLists(env.dataFolder());
            QFAIL("a missing list file was not reported");
        } catch (const AppError &error) {
            QCOMPARE(error.message(), u"Cannot open file "_s + env.dataFolder() + u"discountTypes.txt"_s);
        }
    }

    void dateMacroInAnyCase()
    {
        TestEnvironment env;
        env.clock().current = QDateTime(QDate(2024, 3, 15), QTime(9, 0));
        QCOMPARE(ExpandDateMacro(u"WHERE D='%date%' OR E='%DATE%'"_s), u"WHERE D='2024-03-15' OR E='2024-03-15'"_s);
    }
};

QTEST_GUILESS_MAIN(TestSaleLines)
#include "tst_salelines.moc"
