#include "report/PreparedReport.h"
#include "report/Report.h"

#include "TestEnvironment.h"

#include <QFile>
#include <QProcess>
#include <QTest>

namespace {
const QString smallReport = QStringLiteral(
    "<h1>Stock on hand</h1>"
    "<table><tr><th>Product</th><th>Description</th><th>Qty</th></tr>"
    "<tr><td>P100</td><td>Beans; dark</td><td>14</td></tr>"
    "<tr><td>P200</td><td>Milk \"frother\"</td><td>3</td></tr></table>"
    "<p>Printed by the till</p>");

// Output of a command-line tool the test relies on (poppler-utils, unzip).
QString toolOutput(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(program, QString::fromLocal8Bit(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString simplified(const QString &text)
{
    return text.simplified();
}
}

class TestReportExport : public QObject
{
    Q_OBJECT

private slots:
    void writesPlainText()
    {
        TestEnvironment env;
        const PreparedReport report(smallReport, PageSetup{});
        QCOMPARE(report.toPlainText(), QStringLiteral("Stock on hand\n"
                                                      "Product  Description     Qty\n"
                                                      "P100     Beans; dark      14\n"
                                                      "P200     Milk \"frother\"    3\n"
                                                      "Printed by the till\n"));
    }

    void writesCsvWithSemicolons()
    {
        TestEnvironment env;
        const PreparedReport report(smallReport, PageSetup{});
        QCOMPARE(report.toCsv(), QStringLiteral("Stock on hand\n"
                                                "Product;Description;Qty\n"
                                                "P100;\"Beans; dark\";14\n"
                                                "P200;\"Milk \"\"frother\"\"\";3\n"
                                                "Printed by the till\n"));
    }

    void exportsEveryFormat_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::newRow("pdf") << QStringLiteral("pdf");
        QTest::newRow("html") << QStringLiteral("html");
        QTest::newRow("text") << QStringLiteral("txt");
        QTest::newRow("csv") << QStringLiteral("csv");
        QTest::newRow("odt") << QStringLiteral("odt");
        QTest::newRow("saved report") << QStringLiteral("kvp");
    }

    void exportsEveryFormat()
    {
        QFETCH(QString, suffix);
        TestEnvironment env;
        const PreparedReport report(smallReport, PageSetup{});
        const QString path = env.root() + QStringLiteral("stock.") + suffix;
        report.exportTo(path);
        QVERIFY(QFile::exists(path));

        QString text;
        if (suffix == u"pdf")
            text = toolOutput(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
        else if (suffix == u"odt")
            text = toolOutput(QStringLiteral("unzip"), {QStringLiteral("-p"), path, QStringLiteral("content.xml")});
        else if (suffix == u"kvp")
            text = PreparedReport::open(path).toPlainText();
        else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            text = QString::fromUtf8(file.readAll());
        }
        for (const QString &expected : {QStringLiteral("Stock on hand"), QStringLiteral("P100"), QStringLiteral("Beans"),
                                        QStringLiteral("14"), QStringLiteral("Printed by the till")})
            QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" not in: ") + text));
        if (suffix == u"pdf")
            QVERIFY2(simplified(text).contains(QStringLiteral("P100 Beans; dark 14")), qPrintable(text));
        if (suffix == u"html")
            QVERIFY(text.contains(QStringLiteral("<table")));
        if (suffix == u"odt")
            QVERIFY(text.contains(QStringLiteral("table:table")));
    }

    void savedReportOpensWithItsPaper()
    {
        TestEnvironment env;
        PageSetup roll;
        roll.paper = PageSetup::Paper::Receipt80;
        const PreparedReport report(QStringLiteral("<p>Thank you</p>"), roll, QStringLiteral("Page [Page]"));
        const QString path = env.root() + QStringLiteral("receipt.kvp");
        report.exportTo(path);
        const PreparedReport opened = PreparedReport::open(path);
        QCOMPARE(opened.page().paper, PageSetup::Paper::Receipt80);
        QCOMPARE(opened.page().marginsMm, roll.marginsMm);
        QCOMPARE(opened.footerHtml(), QStringLiteral("Page [Page]"));
        QCOMPARE(opened.toPlainText(), QStringLiteral("Thank you\n"));
    }

    void refusesFilesThatAreNoSavedReport()
    {
        TestEnvironment env;
        const QString path = env.root() + QStringLiteral("other.kvp");
        writeTextFile(path);
        QVERIFY_THROWS_EXCEPTION(AppError, PreparedReport::open(path));
        QVERIFY_THROWS_EXCEPTION(AppError, PreparedReport::open(env.root() + QStringLiteral("none.kvp")));
    }

    void reportsAnUnwritableFile_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::newRow("pdf") << QStringLiteral("pdf");
        QTest::newRow("text") << QStringLiteral("txt");
        QTest::newRow("odt") << QStringLiteral("odt");
    }

    void reportsAnUnwritableFile()
    {
        QFETCH(QString, suffix);
        TestEnvironment env;
        const PreparedReport report(smallReport, PageSetup{});
        const QString path = env.root() + QStringLiteral("no/such/folder/x.") + suffix;
        try {
            report.exportTo(path);
            QFAIL("the export reported success");
        } catch (const AppError &error) {
            QCOMPARE(error.message(), QStringLiteral("Unable to write to ") + path);
        }
    }

    void footerNumbersThePages()
    {
        TestEnvironment env;
        QString lines;
        for (int i = 0; i < 120; ++i)
            lines += QStringLiteral("<p>Line %1</p>").arg(i);
        const PreparedReport report(lines, PageSetup{}, QStringLiteral("<p align=\"right\">Page [Page] of [Pages]</p>"));
        const QString path = env.root() + QStringLiteral("long.pdf");
        report.exportTo(path);
        const QString text = toolOutput(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
        QVERIFY2(text.contains(QStringLiteral("Page 1 of %1").arg(report.pageCount())), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Page %1 of %1").arg(report.pageCount())), qPrintable(text));
        QCOMPARE(text.count(u'\f'), report.pageCount());
    }

private:
    static void writeTextFile(const QString &path)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("hello\n\nworld");
    }
};

QTEST_MAIN(TestReportExport)
#include "tst_reportexport.moc"
