#pragma once

#include "platform/Seam.h"

#include <QString>

class PreparedReport;

// The printer and where a prepared report goes. Laying out a document stays
// apart from its destination, so that other targets (a receipt printer) can
// be added here.
class Printing : public Seam<Printing>
{
public:
    // Empty when the system has no default printer.
    virtual QString defaultPrinterName() const = 0;
    // Shows the report in the modal preview window; returns when it closes.
    virtual void preview(const PreparedReport &report) = 0;
    // Asks for printer, page range, copies and collation in the print dialog
    // and prints; does nothing when the report has no pages or the system
    // has no printer.
    virtual void print(const PreparedReport &report) = 0;
};
