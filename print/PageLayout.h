#pragma once
// Printed pages as plain data: where each frame, text and text background
// stands on a page, in the printer's device pixels, measured from the top-left
// corner of the printable area. No painter and no printer here: the layout
// takes the page size, the device's resolution and the print font's measures,
// so it is the same for a printer, a PDF file and a test's fixed metrics.
//
// The margins were drawn for a 600-dpi printer that cannot reach the sheet's
// outer 5 mm; they are scaled to the device and measured from the sheet's
// edges, so that every printer puts the frame at the same millimetres on
// the paper and fits as many lines on a page.
#include <QColor>
#include <QList>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <functional>

enum class PrintStyle {
    Standard, // one frame a page, lines at x = 400
    Split,    // `columns` frames side by side, comment lines on grey
    Titles,   // the comment lines with their line numbers, framed as Standard
};

// The resolution the layout's margins are given in, and the edges of the
// sheet that printer could not reach.
inline constexpr int kDesignDpi = 600;
inline constexpr qreal kDesignUnprintableMm = 5.0;

// The page and the print font's measures on the device that prints.
struct PageMetrics {
    QSize page;         // the printable area (PW × PH)
    qreal lineHeight = 0; // h: the height of a line of text, in fractions of a pixel
                          // so that every resolution fits as many lines
    std::function<int(const QString &)> textWidth;
    int dpiX = kDesignDpi; // the device's resolution
    int dpiY = kDesignDpi;
    // The whole sheet in the printable area's pixels (its top-left corner at
    // minus the printer's margins). Empty: a sheet kDesignUnprintableMm
    // larger on every side.
    QRect sheet = {};
};

// A text on its opaque background: `band` is where the background goes and
// its top-left corner is where the text starts.
struct PrintedText {
    QString text;
    QRect band;
    QColor background;
    bool operator==(const PrintedText &) const = default;
};

struct PrintedPage {
    int number = 0;      // from 1
    QList<QRect> frames; // one-pixel outlines, the columns that received lines
    QList<PrintedText> lines;
    PrintedText pageNumber; // "Page.%d"
};

inline const QColor kCommentShade{192, 192, 192};

// The line of a title entry: "%05d ： %s", the 1-based number and the comment text.
QString titleEntry(int lineIndex, const QString &line);
// Every comment line of the roll as its title entry, in roll order.
QStringList titleEntries(const QStringList &roll);

// The widest text that stays inside its frame: from the text's x to the
// frame's right edge.
int widestLineAllowed(PrintStyle style, int columns, const PageMetrics &metrics);

// Lays the lines out page by page: each line one slot, h below the one before,
// the next column or page when the next line's bottom would reach the frame's
// bottom edge. No lines, no pages. The page number stands above the frame and
// inside the printable width; a print font too large for the top margin
// moves the frame down rather than letting the number cover it.
QList<PrintedPage> layoutPages(const QStringList &lines, PrintStyle style, int columns,
                               const PageMetrics &metrics);
