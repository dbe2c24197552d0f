#include "print/PageLayout.h"

#include "roll/RollConventions.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The fixed geometry, in device pixels whatever the resolution.
constexpr int kFrameLeft = 200;   // and the right margin
constexpr int kFrameTop = 300;    // also the first line's y
constexpr int kFrameBottom = 200; // from the page's bottom
constexpr int kStandardTextX = 400;
constexpr int kSplitTextIndent = 50; // from the column's frame
constexpr int kNumberTop = 180;
constexpr int kTitleNumberTop = 200;
constexpr int kTitleNumberFromRight = 500;

int columnCount(PrintStyle style, int columns)
{
    return style == PrintStyle::Split ? std::clamp(columns, 1, 5) : 1;
}

// The width of one column of split printing (W), truncated.
int columnWidth(int columns, QSize page)
{
    return (page.width() - 2 * kFrameLeft) / columns;
}

QRect frameOf(PrintStyle style, int column, int columns, QSize page)
{
    int left = kFrameLeft;
    int right = page.width() - kFrameLeft;
    if (style == PrintStyle::Split) {
        const int w = columnWidth(columns, page);
        left = kFrameLeft + column * w;
        right = left + w;
    }
    return {QPoint(left, kFrameTop), QSize(right - left, page.height() - kFrameBottom - kFrameTop)};
}

int textXOf(PrintStyle style, int column, int columns, QSize page)
{
    if (style == PrintStyle::Split)
        return kFrameLeft + kSplitTextIndent + column * columnWidth(columns, page);
    return kStandardTextX;
}

PrintedText pageNumberOf(int number, PrintStyle style, const PageMetrics &m, int h)
{
    const QString text = u"Page.%1"_s.arg(number);
    const int w = m.textWidth(text);
    QPoint at(m.page.width() - w - 150, kNumberTop);
    if (style == PrintStyle::Split)
        at = {m.page.width() - w - 200, kNumberTop};
    else if (style == PrintStyle::Titles)
        at = {m.page.width() - kTitleNumberFromRight, kTitleNumberTop};
    return {text, QRect(at, QSize(w, h)), Qt::white};
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

int widestLineAllowed(PrintStyle style, int columns, QSize page)
{
    const int n = columnCount(style, columns);
    const QRect frame = frameOf(style, 0, n, page);
    return frame.left() + frame.width() - textXOf(style, 0, n, page);
}

QList<PrintedPage> layoutPages(const QStringList &lines, PrintStyle style, int columns,
                               const PageMetrics &metrics)
{
    QList<PrintedPage> pages;
    if (lines.isEmpty())
        return pages;
    const int n = columnCount(style, columns);
    // A line takes at least a pixel, so that every page ends.
    const int h = std::max(1, metrics.lineHeight);
    const int bottom = metrics.page.height() - kFrameBottom;

    pages.append({.number = 1, .frames = {}, .lines = {}, .pageNumber = pageNumberOf(1, style, metrics, h)});
    int column = 0;
    int slot = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        PrintedPage &page = pages.last();
        if (page.frames.size() == column)
            page.frames.append(frameOf(style, column, n, metrics.page));
        const QString &line = lines.at(i);
        const QPoint at(textXOf(style, column, n, metrics.page), kFrameTop + slot * h);
        const bool shaded = style == PrintStyle::Split && IsCommentLine(line);
        page.lines.append({line, QRect(at, QSize(metrics.textWidth(line), h)), shaded ? kCommentShade : Qt::white});

        const bool nextFits = kFrameTop + (slot + 1) * h + h < bottom;
        if (i + 1 < lines.size() && !nextFits) {
            slot = 0;
            if (++column == n) {
                column = 0;
                const int number = page.number + 1;
                pages.append({.number = number, .frames = {}, .lines = {},
                              .pageNumber = pageNumberOf(number, style, metrics, h)});
            }
        } else {
            ++slot;
        }
    }
    return pages;
}
