#include "print/PageLayout.h"

#include "roll/RollConventions.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The design's figures, in pixels of a kDesignDpi printer, from the edges of
// the printable area of a sheet whose edges it cannot reach by kDesignUnprintableMm.
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
constexpr qreal kDesignUnprintable = kDesignUnprintableMm / 25.4 * kDesignDpi;

// Device pixels for design pixels, along one axis.
qreal scaleOf(int dpi)
{
    return qreal(dpi > 0 ? dpi : kDesignDpi) / kDesignDpi;
}

int scaled(int designPixels, int dpi)
{
    return int(std::lround(designPixels * scaleOf(dpi)));
}

// The design's figures on one device and sheet: the same millimetres from
// the sheet's edges at any resolution and whatever the printer's margins.
struct Geometry {
    PrintStyle style;
    int columns;
    QSize page;
    qreal lineHeight;  // h
    int frameLeft;
    int frameRight;    // the x just past the frame's right edge
    int frameTop;      // also the first line's y
    int frameBottom;   // the y of the frame's bottom edge
    int textX;         // of standard printing
    int splitIndent;   // of a split column's text from its frame
    int numberTop;
    int numberRight;   // the right end of a number placed from the right (standard, split)
    int titleNumberX;  // the left end of the titles' number
};

Geometry geometryOf(PrintStyle style, int columns, const PageMetrics &m)
{
    const qreal sx = scaleOf(m.dpiX);
    const qreal sy = scaleOf(m.dpiY);
    const QSize page = m.page;
    // The sheet in the printable area's coordinates; unknown, it is the one
    // the design's figures were drawn on.
    const QRectF sheet = m.sheet.isEmpty()
        ? QRectF(-kDesignUnprintable * sx, -kDesignUnprintable * sy, page.width() + 2 * kDesignUnprintable * sx,
                 page.height() + 2 * kDesignUnprintable * sy)
        : QRectF(m.sheet);
    // A distance from the sheet's edge, kept inside the printable area where
    // the printer's margins are wider than the design's.
    const auto fromLeft = [&](int design) {
        return std::clamp(int(std::lround(sheet.left() + (design + kDesignUnprintable) * sx)), 0, page.width());
    };
    const auto fromRight = [&](int design) {
        return std::clamp(int(std::lround(sheet.left() + sheet.width() - (design + kDesignUnprintable) * sx)), 0,
                          page.width());
    };
    const auto fromTop = [&](int design) {
        return std::clamp(int(std::lround(sheet.top() + (design + kDesignUnprintable) * sy)), 0, page.height());
    };
    const auto fromBottom = [&](int design) {
        return std::clamp(int(std::lround(sheet.top() + sheet.height() - (design + kDesignUnprintable) * sy)), 0,
                          page.height());
    };

    Geometry g{.style = style,
               .columns = style == PrintStyle::Split ? std::clamp(columns, 1, 5) : 1,
               .page = page,
               // A line takes at least a pixel, so that every page ends.
               .lineHeight = std::max(qreal(1), m.lineHeight),
               .frameLeft = fromLeft(kFrameLeft),
               .frameRight = fromRight(kFrameLeft),
               .frameTop = fromTop(kFrameTop),
               .frameBottom = fromBottom(kFrameBottom),
               .textX = fromLeft(kStandardTextX),
               .splitIndent = scaled(kSplitTextIndent, m.dpiX),
               .numberTop = fromTop(style == PrintStyle::Titles ? kTitleNumberTop : kNumberTop),
               .numberRight = fromRight(style == PrintStyle::Split ? kSplitNumberFromRight : kNumberFromRight),
               .titleNumberX = fromRight(kTitleNumberFromRight)};
    // The page number's band keeps clear of the frame: it moves up into the
    // margin, and where the margin cannot hold it the frame moves down.
    const int gap = scaled(kNumberGap, m.dpiY);
    const int numberHeight = int(std::ceil(g.lineHeight));
    g.numberTop = std::max(0, std::min(g.numberTop, g.frameTop - gap - numberHeight));
    g.frameTop = std::max(g.frameTop, g.numberTop + numberHeight + gap);
    return g;
}

// The width of one column of split printing (W), truncated.
int columnWidth(const Geometry &g)
{
    return (g.frameRight - g.frameLeft) / g.columns;
}

QRect frameOf(const Geometry &g, int column)
{
    int left = g.frameLeft;
    int right = g.frameRight;
    if (g.style == PrintStyle::Split) {
        left = g.frameLeft + column * columnWidth(g);
        right = left + columnWidth(g);
    }
    return {QPoint(left, g.frameTop), QSize(right - left, g.frameBottom - g.frameTop)};
}

int textXOf(const Geometry &g, int column)
{
    if (g.style == PrintStyle::Split)
        return g.frameLeft + g.splitIndent + column * columnWidth(g);
    return g.textX;
}

PrintedText pageNumberOf(int number, const Geometry &g, const PageMetrics &m)
{
    const QString text = u"Page.%1"_s.arg(number);
    const int w = m.textWidth(text);
    int x = g.style == PrintStyle::Titles ? g.titleNumberX : g.numberRight - w;
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
