#include "print/PageLayout.h"

#include "roll/RollConventions.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The design's figures, in pixels of a kDesignDpi printer.
constexpr int kFrameLeft = 200;   // and the right margin
constexpr int kFrameTop = 300;    // also the first line's y
constexpr int kFrameBottom = 200; // from the page's bottom
constexpr int kStandardTextX = 400;
constexpr int kSplitTextIndent = 50;       // from the column's frame
constexpr int kNumberTop = 180;
constexpr int kNumberFromRight = 150;      // of the number's right end
constexpr int kSplitNumberFromRight = 200; // of the number's right end
constexpr int kTitleNumberTop = 200;
constexpr int kTitleNumberFromRight = 500; // of the number's left end
constexpr int kNumberGap = 10;             // the least space between the number and the frame

int scaled(int designPixels, int dpi)
{
    return int(std::lround(double(designPixels) * (dpi > 0 ? dpi : kDesignDpi) / kDesignDpi));
}

// The design's figures on one device, so that every resolution gives the
// same millimetres.
struct Geometry {
    PrintStyle style;
    int columns;
    QSize page;
    qreal lineHeight; // h
    int margin;      // of the frame from the left and right edges
    int frameTop;    // also the first line's y
    int frameBottom; // the y of the frame's bottom edge
    int textX;       // of standard printing
    int splitIndent; // of a split column's text from its frame
    int numberTop;
    int numberGap;
};

Geometry geometryOf(PrintStyle style, int columns, const PageMetrics &m)
{
    Geometry g{.style = style,
               .columns = style == PrintStyle::Split ? std::clamp(columns, 1, 5) : 1,
               .page = m.page,
               // A line takes at least a pixel, so that every page ends.
               .lineHeight = std::max(qreal(1), m.lineHeight),
               .margin = scaled(kFrameLeft, m.dpiX),
               .frameTop = scaled(kFrameTop, m.dpiY),
               .frameBottom = m.page.height() - scaled(kFrameBottom, m.dpiY),
               .textX = scaled(kStandardTextX, m.dpiX),
               .splitIndent = scaled(kSplitTextIndent, m.dpiX),
               .numberTop = scaled(style == PrintStyle::Titles ? kTitleNumberTop : kNumberTop, m.dpiY),
               .numberGap = scaled(kNumberGap, m.dpiY)};
    // The page number's band keeps clear of the frame: it moves up into the
    // margin, and where the margin cannot hold it the frame moves down.
    const int numberHeight = int(std::ceil(g.lineHeight));
    g.numberTop = std::max(0, std::min(g.numberTop, g.frameTop - g.numberGap - numberHeight));
    g.frameTop = std::max(g.frameTop, g.numberTop + numberHeight + g.numberGap);
    return g;
}

// The width of one column of split printing (W), truncated.
int columnWidth(const Geometry &g)
{
    return (g.page.width() - 2 * g.margin) / g.columns;
}

QRect frameOf(const Geometry &g, int column)
{
    int left = g.margin;
    int right = g.page.width() - g.margin;
    if (g.style == PrintStyle::Split) {
        left = g.margin + column * columnWidth(g);
        right = left + columnWidth(g);
    }
    return {QPoint(left, g.frameTop), QSize(right - left, g.frameBottom - g.frameTop)};
}

int textXOf(const Geometry &g, int column)
{
    if (g.style == PrintStyle::Split)
        return g.margin + g.splitIndent + column * columnWidth(g);
    return g.textX;
}

PrintedText pageNumberOf(int number, const Geometry &g, const PageMetrics &m)
{
    const QString text = u"Page.%1"_s.arg(number);
    const int w = m.textWidth(text);
    const int dpiX = m.dpiX;
    int x = 0;
    switch (g.style) {
    case PrintStyle::Standard: x = g.page.width() - w - scaled(kNumberFromRight, dpiX); break;
    case PrintStyle::Split: x = g.page.width() - w - scaled(kSplitNumberFromRight, dpiX); break;
    case PrintStyle::Titles: x = g.page.width() - scaled(kTitleNumberFromRight, dpiX); break;
    }
    // Never past the printable width, where the printer would cut it off.
    x = std::max(0, std::min(x, g.page.width() - w));
    return {text, QRect(QPoint(x, g.numberTop), QSize(w, int(std::ceil(g.lineHeight)))), Qt::white};
}

} // namespace

QString titleEntry(int lineIndex, const QString &line)
{
    // Numbers past five digits keep all of theirs.
    return u"%1 ： %2"_s.arg(lineIndex + 1, 5, 10, QChar(u'0')).arg(CommentText(line));
}

QStringList titleEntries(const QStringList &roll)
{
    QStringList titles;
    for (int i = 0; i < roll.size(); ++i) {
        if (IsCommentLine(roll.at(i)))
            titles.append(titleEntry(i, roll.at(i)));
    }
    return titles;
}

int widestLineAllowed(PrintStyle style, int columns, const PageMetrics &metrics)
{
    const Geometry g = geometryOf(style, columns, metrics);
    const QRect frame = frameOf(g, 0);
    return frame.left() + frame.width() - textXOf(g, 0);
}

QList<PrintedPage> layoutPages(const QStringList &lines, PrintStyle style, int columns,
                               const PageMetrics &metrics)
{
    QList<PrintedPage> pages;
    if (lines.isEmpty())
        return pages;
    const Geometry g = geometryOf(style, columns, metrics);
    const qreal h = g.lineHeight;
    // Slot k spans from the frame's top + k·h to + (k+1)·h, rounded, so that
    // the bands tile the column without gaps.
    const auto slotTop = [&](int slot) { return g.frameTop + int(std::lround(slot * h)); };

    pages.append({.number = 1, .frames = {}, .lines = {}, .pageNumber = pageNumberOf(1, g, metrics)});
    int column = 0;
    int slot = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        PrintedPage &page = pages.last();
        if (page.frames.size() == column)
            page.frames.append(frameOf(g, column));
        const QString &line = lines.at(i);
        const QPoint at(textXOf(g, column), slotTop(slot));
        const bool shaded = style == PrintStyle::Split && IsCommentLine(line);
        page.lines.append({line, QRect(at, QSize(metrics.textWidth(line), slotTop(slot + 1) - at.y())),
                           shaded ? kCommentShade : Qt::white});

        const bool nextFits = g.frameTop + (slot + 2) * h < g.frameBottom;
        if (i + 1 < lines.size() && !nextFits) {
            slot = 0;
            if (++column == g.columns) {
                column = 0;
                const int number = page.number + 1;
                pages.append({.number = number, .frames = {}, .lines = {},
                              .pageNumber = pageNumberOf(number, g, metrics)});
            }
        } else {
            ++slot;
        }
    }
    return pages;
}
