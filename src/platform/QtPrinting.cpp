#include "platform/QtPrinting.h"

#include <QPrinterInfo>

QString QtPrinting::defaultPrinterName() const
{
    return QPrinterInfo::defaultPrinterName();
}

// Preview and printing arrive with the report engine.
void QtPrinting::preview(const PreparedReport &) {}
void QtPrinting::print(const PreparedReport &) {}
