#include "platform/QtPrinterCatalog.h"

#include <QPrinterInfo>

QStringList QtPrinterCatalog::printerNames() const
{
    return QPrinterInfo::availablePrinterNames();
}

QString QtPrinterCatalog::defaultPrinterName() const
{
    return QPrinterInfo::defaultPrinterName();
}
