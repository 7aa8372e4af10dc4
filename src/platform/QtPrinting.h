#pragma once

#include "platform/Printing.h"

// The system's printers through Qt PrintSupport.
class QtPrinting final : public Printing
{
public:
    QString defaultPrinterName() const override;
    void preview(const PreparedReport &report) override;
    void print(const PreparedReport &report) override;
};
