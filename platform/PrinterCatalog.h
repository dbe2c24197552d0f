#pragma once
// The installed printers and the default one, behind an interface so that the
// start-up can be tested with and without printers.
#include <QString>
#include <QStringList>

class PrinterCatalog {
public:
    virtual ~PrinterCatalog();
    virtual QStringList printerNames() const = 0;      // in the system's order
    virtual QString defaultPrinterName() const = 0;    // empty when there is none

    static const PrinterCatalog &instance();           // no printers until one is installed
    static const PrinterCatalog *install(const PrinterCatalog *catalog);
};

// A fixed list (tests, and the fallback).
class FixedPrinterCatalog : public PrinterCatalog {
public:
    FixedPrinterCatalog(QStringList names = {}, QString defaultName = {})
        : m_names(std::move(names)), m_default(std::move(defaultName)) {}
    QStringList printerNames() const override { return m_names; }
    QString defaultPrinterName() const override { return m_default; }

private:
    QStringList m_names;
    QString m_default;
};
