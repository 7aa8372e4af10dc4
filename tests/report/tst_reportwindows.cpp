#include "report/PageView.h"
#include "report/PreviewWindow.h"
#include "report/Report.h"
#include "report/ReportDesigner.h"

#include "ReportFixture.h"
#include "TestEnvironment.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>

namespace {
PreparedReport threePages()
{
    QString lines;
    for (int i = 0; i < 150; ++i)
        lines += QStringLiteral("<p>Line %1%2</p>").arg(i).arg(i % 60 == 5 ? QStringLiteral(" needle") : QString());
    return PreparedReport(lines, PageSetup{});
}

void trigger(QWidget &window, const QString &action)
{
    auto *found = window.findChild<QAction *>(action);
    QVERIFY2(found, qPrintable(action));
    found->trigger();
}
}

class TestReportWindows : public QObject
{
    Q_OBJECT

private slots:
    void previewNavigatesPages()
    {
        TestEnvironment env;
        const PreparedReport report = threePages();
        QVERIFY(report.pageCount() >= 3);
        PreviewWindow window(report);
        window.show();
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblPages"))->text(),
                 QStringLiteral(" of %1 ").arg(report.pageCount()));
        trigger(window, QStringLiteral("actNext"));
        QCOMPARE(window.currentPage(), 1);
        trigger(window, QStringLiteral("actLast"));
        QCOMPARE(window.currentPage(), report.pageCount() - 1);
        trigger(window, QStringLiteral("actNext"));
        QCOMPARE(window.currentPage(), report.pageCount() - 1);
        trigger(window, QStringLiteral("actFirst"));
        QCOMPARE(window.currentPage(), 0);
        window.findChild<QSpinBox *>(QStringLiteral("spnPage"))->setValue(2);
        QCOMPARE(window.currentPage(), 1);
    }

    void previewZooms()
    {
        TestEnvironment env;
        PreviewWindow window(threePages());
        window.resize(800, 700);
        window.show();
        auto *zoom = window.findChild<QComboBox *>(QStringLiteral("cboZoom"));
        auto *view = window.findChild<PageView *>();
        zoom->setCurrentText(QStringLiteral("Whole page"));
        const qreal whole = view->scale();
        zoom->setCurrentText(QStringLiteral("Page width"));
        const qreal width = view->scale();
        QVERIFY(width > whole);
        zoom->setCurrentText(QStringLiteral("200%"));
        const qreal doubled = view->scale();
        zoom->setCurrentText(QStringLiteral("100%"));
        QCOMPARE(doubled, 2 * view->scale());
    }

    void previewFindsAndSteps()
    {
        TestEnvironment env;
        PreviewWindow window(threePages());
        window.show();
        window.findChild<QLineEdit *>(QStringLiteral("edtFind"))->setText(QStringLiteral("needle"));
        QCOMPARE(window.matchCount(), 3);
        window.findNext();
        QCOMPARE(window.currentMatch(), 0);
        QCOMPARE(window.currentPage(), 0);
        window.findNext();
        QCOMPARE(window.currentMatch(), 1);
        QVERIFY(window.currentPage() > 0);
        window.findPrevious();
        window.findPrevious();
        QCOMPARE(window.currentMatch(), 2);
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblStatus"))->text(), QStringLiteral("3 of 3"));
        window.findChild<QLineEdit *>(QStringLiteral("edtFind"))->setText(QStringLiteral("haystack"));
        QCOMPARE(window.matchCount(), 0);
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblStatus"))->text(), QStringLiteral("\"haystack\" not found"));
    }

    void previewSavesOpensPrintsAndHelps()
    {
        TestEnvironment env;
        PreviewWindow window(PreparedReport(QStringLiteral("<p>Saved text</p>"), PageSetup{}));
        const QString csv = env.root() + QStringLiteral("out.csv");
        const QString saved = env.root() + QStringLiteral("out");
        env.dialogs().files.enqueue(csv);
        env.dialogs().files.enqueue(saved);
        trigger(window, QStringLiteral("actSave"));
        trigger(window, QStringLiteral("actSave"));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("Saved text\n"));
        QVERIFY(QFile::exists(saved + QStringLiteral(".kvp")));

        PreviewWindow other(PreparedReport(QStringLiteral("<p>Other</p>"), PageSetup{}));
        env.dialogs().files.enqueue(saved + QStringLiteral(".kvp"));
        trigger(other, QStringLiteral("actOpen"));
        QCOMPARE(other.report().toPlainText(), QStringLiteral("Saved text\n"));

        trigger(other, QStringLiteral("actPrint"));
        QCOMPARE(env.printing().printed.size(), 1);
        QCOMPARE(env.printing().printed.first().toPlainText(), QStringLiteral("Saved text\n"));

        trigger(other, QStringLiteral("actHelp"));
        QCOMPARE(env.shell().files, QStringList{env.system().program + QStringLiteral("help/preview.html")});
    }

    void previewShowsAFailedOpen()
    {
        TestEnvironment env;
        PreviewWindow window(PreparedReport(QStringLiteral("<p>Kept</p>"), PageSetup{}));
        env.dialogs().files.enqueue(env.root() + QStringLiteral("missing.kvp"));
        trigger(window, QStringLiteral("actOpen"));
        QCOMPARE(env.dialogs().lastText(), QStringLiteral("Unable to read ") + env.root() + QStringLiteral("missing.kvp"));
        QCOMPARE(window.report().toPlainText(), QStringLiteral("Kept\n"));
    }

    void designerPreviewsAndReportsErrors()
    {
        TestEnvironment env;
        ReportVariables::clear();
        ReportVariables::set(QStringLiteral("varTotalSales"), QStringLiteral("40"));
        const QString path = env.root() + QStringLiteral("daily.frf");
        writeFile(path, QStringLiteral("<p>Total [varTotalSales]</p>"));
        Report report;
        report.dataset(QStringLiteral("frDBDataSet3"))
            .setSource(std::make_shared<ListRows>(QStringList{QStringLiteral("Invoice")},
                                                  std::vector<QVariantList>{{QStringLiteral("2403000001")}}));
        QVERIFY(report.loadFromFile(path));
        ReportDesigner designer(report);
        QCOMPARE(designer.source(), QStringLiteral("<p>Total [varTotalSales]</p>"));
        const auto *fields = designer.findChild<QListWidget *>(QStringLiteral("lstFields"));
        QVERIFY(!fields->findItems(QStringLiteral("frDBDataSet3.Invoice"), Qt::MatchExactly).isEmpty());
        QVERIFY(!fields->findItems(QStringLiteral("varTotalSales"), Qt::MatchExactly).isEmpty());

        designer.setSource(QStringLiteral("<p>\n[band frDBDataSet3]\n"));
        designer.refreshPreview();
        QCOMPARE(designer.errorText(), path + QStringLiteral(", line 2: [band frDBDataSet3] without [/band]"));
        QCOMPARE(report.prepare().toPlainText(), QStringLiteral("Total 40\n"));

        designer.setSource(QString());
        designer.insertField(QStringLiteral("frDBDataSet3.Invoice"));
        designer.refreshPreview();
        QCOMPARE(designer.errorText(), QString());
        QCOMPARE(report.prepared()->toPlainText(), QStringLiteral("2403000001\n"));

        trigger(designer, QStringLiteral("actSave"));
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("[frDBDataSet3.Invoice]"));

        const QString copy = env.root() + QStringLiteral("copy");
        env.dialogs().files.enqueue(copy);
        trigger(designer, QStringLiteral("actSaveAs"));
        QVERIFY(QFile::exists(copy + QStringLiteral(".frf")));
        QCOMPARE(designer.fileName(), copy + QStringLiteral(".frf"));
    }
};

QTEST_MAIN(TestReportWindows)
#include "tst_reportwindows.moc"
