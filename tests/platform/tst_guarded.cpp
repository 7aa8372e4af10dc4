#include "platform/AppError.h"
#include "platform/Guarded.h"

#include "TestEnvironment.h"

#include <QTest>

class TestGuarded : public QObject
{
    Q_OBJECT

private slots:
    void showsTheTextOfAnEscapingError_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("expected");
        QTest::newRow("application error") << 0 << QStringLiteral("Table 'Sales' does not exist");
        QTest::newRow("standard error") << 1 << QStringLiteral("bad thing");
        QTest::newRow("anything else") << 2 << QStringLiteral("An unknown error occurred.");
    }

    void showsTheTextOfAnEscapingError()
    {
        QFETCH(int, kind);
        QFETCH(QString, expected);
        TestEnvironment env;
        const bool finished = guarded([kind] {
            if (kind == 0)
                throw AppError(QStringLiteral("Table 'Sales' does not exist"));
            if (kind == 1)
                throw std::runtime_error("bad thing");
            throw 42;
        });
        QVERIFY(!finished);
        QCOMPARE(env.dialogs().shownTexts(), QStringList{expected});
        QCOMPARE(env.dialogs().shown.first().title, QStringLiteral("Kestrelvane Point of Sale"));
    }

    void showsNothingWhenTheBodyFinishes()
    {
        TestEnvironment env;
        QVERIFY(guarded([] {}));
        QVERIFY(env.dialogs().shown.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestGuarded)
#include "tst_guarded.moc"
