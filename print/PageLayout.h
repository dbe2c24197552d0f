#pragma once
// Printed pages as plain data: where each frame, text and text background
// stands on a page, in the printer's device pixels, measured from the top-left
// corner of the printable area. No painter and no printer here: the layout
// takes the page size and the print font's measures, so it is the same for a
// printer, a PDF file and a test's fixed metrics.
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

// The page and the print font's measures on the device that prints.
struct PageMetrics {
    QSize page;         // the printable area (PW × PH)
    int lineHeight = 0; // h: the height of a line of text
    std::function<int(const QString &)> textWidth;
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
int widestLineAllowed(PrintStyle style, int columns, QSize page);

// Lays the lines out page by page: each line one slot, h below the one before,
// the next column or page when the next line's bottom would reach the frame's
// bottom edge. No lines, no pages.
QList<PrintedPage> layoutPages(const QStringList &lines, PrintStyle style, int columns,
                               const PageMetrics &metrics);
