#pragma once
// Draws laid-out pages on any paged device: a printer, its preview, a PDF
// writer. The font and the measures come from the device that prints, so
// that the layout and the drawing agree to the pixel.
#include "print/PageLayout.h"
#include "print/PrintSetup.h"

#include <QFont>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// The print font of the settings: a design name is served by its installed
// family; no name gives the design font, a size below one point the
// initial 10 points.
QFont printFont(const PrintSetup &setup);

// The font's measures and the resolution of `device`, for a printable area
// of `page` pixels on `sheet` (PageMetrics::sheet). A line is as high as a
// two-character full-width sample.
PageMetrics pageMetrics(QPaintDevice &device, const QFont &font, QSize page, QRect sheet = {});

// One page: the texts on their backgrounds, the frames over them (a line that
// runs past its frame is crossed by the frame's edge, never hides it), the
// page number last.
void paintPage(QPainter &painter, const PrintedPage &page, const QFont &font);

// Every page, a new sheet before each after the first. False when the device
// cannot be painted on (a file that cannot be written, a printer error).
// No pages still opens and closes the device, which then holds a blank sheet.
bool paintPages(QPagedPaintDevice &device, const QList<PrintedPage> &pages, const QFont &font);
