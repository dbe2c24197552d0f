#include "print/PagePainter.h"

#include "platform/Fonts.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

using namespace Qt::StringLiterals;

namespace {

constexpr int kInitialPoints = 10;

// A one-pixel outline inside the rectangle. The pen is cosmetic: one device
// pixel on the printer, a hairline in a PDF file, and still a visible line
// when the preview shrinks the page.
void drawFrame(QPainter &painter, const QRect &r)
{
    painter.drawRect(r.adjusted(0, 0, -1, -1));
}

void drawText(QPainter &painter, const PrintedText &text, int ascent)
{
    if (!text.band.isEmpty())
        painter.fillRect(text.band, text.background);
    painter.drawText(QPoint(text.band.left(), text.band.top() + ascent), text.text);
}

// The height of a line at the font's exact size on `device`. The device
// rounds the font to whole pixels, which changes the height by a few per cent
// at one resolution and not at another, and with it the lines a page holds:
// the sample is measured large and scaled to the exact size instead.
qreal lineHeight(QPaintDevice &device, const QFont &font)
{
    const QString sample = u"ああ"_s;
    if (font.pointSizeF() <= 0)
        return QFontMetricsF(font, &device).size(Qt::TextSingleLine, sample).height();
    constexpr int kLargePixels = 1000;
    QFont large(font);
    large.setPixelSize(kLargePixels);
    const qreal exactPixels = font.pointSizeF() * device.logicalDpiY() / 72.0;
    return QFontMetricsF(large).size(Qt::TextSingleLine, sample).height() * exactPixels / kLargePixels;
}

} // namespace

QFont printFont(const PrintSetup &setup)
{
    QFont font(substituteFontFamily(setup.font.isEmpty() ? u"ＭＳ ゴシック"_s : setup.font));
    // Zero points would make every line zero pixels high: all of them on one slot.
    font.setPointSize(setup.points >= 1 ? setup.points : kInitialPoints);
    font.setKerning(false);
    return font;
}

PageMetrics pageMetrics(QPaintDevice &device, const QFont &font, QSize page, QRect sheet)
{
    const QFontMetrics metrics(font, &device);
    return {.page = page,
            .lineHeight = lineHeight(device, font),
            .textWidth = [metrics](const QString &text) { return metrics.horizontalAdvance(text); },
            .dpiX = device.logicalDpiX(),
            .dpiY = device.logicalDpiY(),
            .sheet = sheet};
}

void paintPage(QPainter &painter, const PrintedPage &page, const QFont &font)
{
    painter.save();
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int ascent = painter.fontMetrics().ascent();
    for (const PrintedText &line : page.lines)
        drawText(painter, line, ascent);
    for (const QRect &frame : page.frames)
        drawFrame(painter, frame);
    drawText(painter, page.pageNumber, ascent);
    painter.restore();
}

bool paintPages(QPagedPaintDevice &device, const QList<PrintedPage> &pages, const QFont &font)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        paintPage(painter, pages.at(i), font);
    }
    return painter.end();
}
