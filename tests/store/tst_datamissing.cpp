#include "TestEnvironment.h"

#include "config/fDataMissing.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// The data-missing dialog, driven as a user would.
class TestDataMissing : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    // Acts on the dialog once it is shown.
    static void whenShown(const std::function<void(QDialog &)> &act)
    {
        QTimer::singleShot(0, [act] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            act(*dialog);
        });
    }

    static QLineEdit &folderBox(QDialog &dialog) { return *dialog.findChild<QLineEdit *>(u"diredtDataPath"_s); }
    static void press(QDialog &dialog, const QString &button)
    {
        QTest::mouseClick(dialog.findChild<QPushButton *>(button), Qt::LeftButton);
    }

private slots:
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup() { env.reset(); }

    void okTakesTheTypedFolderNormalised()
    {
        QString folder = u"/srv/shop/"_s;
        QString message;
        whenShown([&message](QDialog &dialog) {
            message = dialog.findChild<QLabel *>(u"Label1"_s)->text();
            QCOMPARE(dialog.windowTitle(), u"Data missing"_s);
            QCOMPARE(folderBox(dialog).text(), u"/srv/shop/"_s);
            folderBox(dialog).setText(u"  /mnt/shop/data  "_s);
            press(dialog, u"OKBtn"_s);
        });
        QVERIFY(AskDataFolder(folder));
        QCOMPARE(folder, u"/mnt/shop/data/"_s);
        QCOMPARE(message, u"At least some data files are missing from /srv/shop/. Press cancel and attempt "
                          "re-installation or enter new data folder location."_s);
    }

    void cancelKeepsTheFolder()
    {
        QString folder = u"/srv/shop/"_s;
        whenShown([](QDialog &dialog) {
            folderBox(dialog).setText(u"/elsewhere"_s);
            press(dialog, u"CancelBtn"_s);
        });
        QVERIFY(!AskDataFolder(folder));
        QCOMPARE(folder, u"/srv/shop/"_s);
    }

    void theBrowserFillsTheFolderBox()
    {
        QString folder = u"/srv/shop/"_s;
        env->dialogs().files.enqueue(u"/media/usb/kvtl"_s);
        whenShown([](QDialog &dialog) {
            press(dialog, u"btnBrowseDataLoc"_s);
            QCOMPARE(folderBox(dialog).text(), u"/media/usb/kvtl"_s);
            press(dialog, u"OKBtn"_s);
        });
        QVERIFY(AskDataFolder(folder));
        QCOMPARE(folder, u"/media/usb/kvtl/"_s);
    }
};

QTEST_MAIN(TestDataMissing)
#include "tst_datamissing.moc"
