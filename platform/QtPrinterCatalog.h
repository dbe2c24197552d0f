#pragma once
#include "platform/PrinterCatalog.h"

// The printers the print system (CUPS) knows.
class QtPrinterCatalog : public PrinterCatalog {
public:
    QStringList printerNames() const override;
    QString defaultPrinterName() const override;
};
