#include "platform/PrinterCatalog.h"

namespace {
const PrinterCatalog *g_catalog = nullptr;
}

PrinterCatalog::~PrinterCatalog() = default;

const PrinterCatalog &PrinterCatalog::instance()
{
    static const FixedPrinterCatalog none;
    return g_catalog ? *g_catalog : none;
}

const PrinterCatalog *PrinterCatalog::install(const PrinterCatalog *catalog)
{
    const PrinterCatalog *previous = g_catalog;
    g_catalog = catalog;
    return previous;
}
