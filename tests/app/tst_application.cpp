#include "app/Application.h"
#include "platform/AppError.h"

#include "TestEnvironment.h"

#include <QPushButton>
#include <QTest>

// The application object must show an exception that escapes a handler and
// keep the window usable.
class TestApplication : public QObject
{
    Q_OBJECT

private slots:
    void anEscapingErrorIsShownAndTheWindowStaysUsable()
    {
        TestEnvironment env;
        QPushButton button(QStringLiteral("Go"));
        int presses = 0;
        QObject::connect(&button, &QPushButton::clicked, &button, [&presses] {
            ++presses;
            if (presses == 1)
                throw AppError(QStringLiteral("Cannot find /data/kvtl.obj"));
        });
        button.show();
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(env.dialogs().shownTexts(), QStringList{QStringLiteral("Cannot find /data/kvtl.obj")});
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(presses, 2);
        QCOMPARE(env.dialogs().shown.size(), 1);
    }
};

int main(int argc, char **argv)
{
    Application app(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_application.moc"
