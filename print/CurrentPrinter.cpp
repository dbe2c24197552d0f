#include "print/CurrentPrinter.h"

#include "platform/PrinterCatalog.h"

#include <QPageLayout>
#include <QPrinter>

namespace {
// A PDF sheet stands for a common office printer: A4 at 600 dpi with the
// few millimetres at the edges such a printer cannot reach.
constexpr int kPdfResolution = 600;
constexpr qreal kPdfUnprintableMm = 5.0;
} // namespace

CurrentPrinter::CurrentPrinter() = default;
CurrentPrinter::~CurrentPrinter() = default;

void CurrentPrinter::select(const QString &name)
{
    m_selected = name;
}

QPrinter &CurrentPrinter::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_applied.reset();
    }
    applySelection();
    return *m_printer;
}

bool CurrentPrinter::printsToFile()
{
    return printer().outputFormat() == QPrinter::PdfFormat;
}

QSize CurrentPrinter::printableArea()
{
    return printer().pageRect(QPrinter::DevicePixel).toRect().size();
}

QRect CurrentPrinter::sheet()
{
    QPrinter &p = printer();
    const QRectF area = p.pageRect(QPrinter::DevicePixel);
    return p.paperRect(QPrinter::DevicePixel).translated(-area.topLeft()).toRect();
}

void CurrentPrinter::applySelection()
{
    const PrinterCatalog &catalog = PrinterCatalog::instance();
    const QStringList names = catalog.printerNames();
    QString target = m_selected;
    if (!names.contains(target))
        target = catalog.defaultPrinterName().section(u',', 0, 0);
    if (!names.contains(target))
        target = names.value(0);

    // Only a change of printer is passed on: giving the same one again would
    // drop the paper chosen in the setup dialog.
    if (target.isEmpty()) {
        if (m_printer->outputFormat() != QPrinter::PdfFormat)
            m_printer->setOutputFormat(QPrinter::PdfFormat);
    } else if (target != m_applied) {
        m_printer->setPrinterName(target); // Qt falls back to PDF when it cannot reach it
    }
    m_applied = target;
    if (m_printer->outputFormat() == QPrinter::PdfFormat)
        preparePdf();
}

void CurrentPrinter::preparePdf()
{
    m_printer->setResolution(kPdfResolution);
    if (m_pdfPrepared)
        return;
    m_pdfPrepared = true;
    m_printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(kPdfUnprintableMm, kPdfUnprintableMm, kPdfUnprintableMm,
                                                   kPdfUnprintableMm),
                                         QPageLayout::Millimeter));
}
