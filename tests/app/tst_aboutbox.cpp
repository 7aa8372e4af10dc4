#include "app/Application.h"
#include "app/fAbout.h"

#include "TestEnvironment.h"

#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QTest>

using namespace Qt::StringLiterals;

// The About box: its texts, the version in the locale's form and the
// maker's address that opens on a click.
class TestAboutBox : public QObject
{
    Q_OBJECT

    static QString labelText(const TAboutBox &box, const QString &name)
    {
        const auto *label = box.findChild<QLabel *>(name);
        return label ? label->text() : u"<missing>"_s;
    }

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void itShowsTheProgramVersionAndBuild_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("version");
        QTest::newRow("point") << QLocale(QLocale::English, QLocale::UnitedStates) << u"Version 1.00"_s;
        QTest::newRow("comma") << QLocale(QLocale::German) << u"Version 1,00"_s;
    }

    void itShowsTheProgramVersionAndBuild()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, version);
        TestEnvironment env;
        QLocale::setDefault(locale);
        const TAboutBox box;
        QCOMPARE(box.windowTitle(), u"About Kestrelvane Point Of Sale"_s);
        QCOMPARE(labelText(box, u"Version"_s), version);
        QCOMPARE(labelText(box, u"lblBuild"_s), u"Build 1.000"_s);
        QCOMPARE(labelText(box, u"ProductName"_s), u"Kestrelvane\u00AE"_s);
        QCOMPARE(labelText(box, u"Label1"_s), u"Point Of Sale"_s);
        QCOMPARE(labelText(box, u"Label2"_s), u"https://www.kestrelvane.example"_s);
    }

    void itHasItsPictureAFixedSizeAndADefaultOkButton()
    {
        TestEnvironment env;
        const TAboutBox box;
        const auto *picture = box.findChild<QLabel *>(u"ProgramIcon"_s);
        QVERIFY(picture);
        QCOMPARE(picture->size(), QSize(193, 185));
        QVERIFY(!picture->pixmap().isNull());
        QCOMPARE(box.layout()->sizeConstraint(), QLayout::SetFixedSize);
        const auto *ok = box.findChild<QPushButton *>(u"OKButton"_s);
        QVERIFY(ok && ok->isDefault());
        QCOMPARE(ok->text(), u"OK"_s);
    }

    void okAndEscapeCloseWithOk_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("OK button") << false;
        QTest::newRow("Escape") << true;
    }

    void okAndEscapeCloseWithOk()
    {
        QFETCH(bool, escape);
        TestEnvironment env;
        TAboutBox box;
        box.show();
        if (escape)
            QTest::keyClick(&box, Qt::Key_Escape);
        else
            box.findChild<QPushButton *>(u"OKButton"_s)->click();
        QCOMPARE(box.result(), int(QDialog::Accepted));
        QVERIFY(!box.isVisible());
    }

    void clickingTheAddressOpensTheMakersPage()
    {
        TestEnvironment env;
        TAboutBox box;
        box.show();
        QTest::mouseClick(box.findChild<QLabel *>(u"Label2"_s), Qt::LeftButton);
        QCOMPARE(env.shell().urls, QStringList{u"https://www.kestrelvane.example"_s});
        QVERIFY(env.dialogs().shown.isEmpty());
    }

    void theHelpKeyOpensTopic10()
    {
        TestEnvironment env;
        const TAboutBox box;
        box.findChild<QShortcut *>(u"HelpKey"_s)->activated();
        QCOMPARE(env.shell().help.size(), 1);
        QCOMPARE(env.shell().help[0].topic, 10);
    }
};

int main(int argc, char **argv)
{
    Application app(argc, argv);
    TestAboutBox test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_aboutbox.moc"
