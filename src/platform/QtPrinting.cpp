#include "platform/QtPrinting.h"

#include "platform/AppError.h"
#include "report/PreparedReport.h"
#include "report/PreviewWindow.h"

#include <QApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

QString QtPrinting::defaultPrinterName() const
{
    return QPrinterInfo::defaultPrinterName();
}

void QtPrinting::preview(const PreparedReport &report)
{
    PreviewWindow window(report, QApplication::activeWindow());
    window.exec();
}

namespace {
// The print dialog's choices, read back before the printer is reset to one
// copy: the copies are laid out here, in the order the user asked for.
struct PrintChoice {
    int firstPage = 0;
    int lastPage = 0;
    int copies = 1;
    bool collate = true;
};

bool askPrintChoice(QPrinter &printer, int pages, PrintChoice &choice)
{
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
    printer.setCopyCount(1);
    printer.setCollateCopies(true);
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setMinMax(1, pages);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCollateCopies
                      | QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (printer.printRange() == QPrinter::PageRange) {
        choice.firstPage = printer.fromPage();
        choice.lastPage = printer.toPage();
    }
    choice.copies = printer.copyCount();
    choice.collate = printer.collateCopies();
    printer.setCopyCount(1);
    return true;
}
}

void QtPrinting::print(const PreparedReport &report)
{
    if (report.pageCount() == 0 || QPrinterInfo::availablePrinters().isEmpty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(report.pageSizeMm(), QPageSize::Millimeter, QString(),
                                                QPageSize::ExactMatch),
                                      QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    printer.setDocName(QStringLiteral("Kestrelvane Point of Sale report"));
    PrintChoice choice;
    if (!askPrintChoice(printer, report.pageCount(), choice))
        return;
    const QList<int> pages =
        printedPageOrder(report.pageCount(), choice.firstPage, choice.lastPage, choice.copies, choice.collate);
    QPainter painter;
    if (!painter.begin(&printer))
        throw AppError(QStringLiteral("Unable to print to %1").arg(printer.printerName()));
    const QRectF sheet = printer.pageLayout().fullRectPixels(printer.resolution());
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0)
            printer.newPage();
        report.paintPage(painter, pages[i], QRectF(QPointF(0, 0), sheet.size()));
    }
    painter.end();
}
