#pragma once
// Reading and rewriting the page and string records of a slide held as roll
// lines, for the slide editor. Fields are split by slideFields(); lines
// without fields belong to nothing and are never touched.
#include "slides/SlideFile.h"

#include <QList>
#include <QStringList>

#include <functional>

// Where a page and its strings stand among the roll's lines (0-based indexes).
struct SlidePageLines {
    int pageLine = -1;
    QList<int> stringLines;
};

// The pages in roll order. String records above the first page belong to none.
QList<SlidePageLines> slidePages(const QStringList &lines);

// A title or string text as readers show it: trailing blanks and control
// characters (code <= U+0020) removed.
QString slideTrimmed(const QString &text);

// A numeric field; anything but a decimal integer in range reads as 0.
int slideNumber(const QString &field);

// A position field: "r" + n is n steps after the previous string (not a
// number after the "r": 1); anything else is an absolute coordinate.
struct SlidePosition {
    bool relative = false;
    int value = 0;
    friend bool operator==(const SlidePosition &, const SlidePosition &) = default;
};
SlidePosition slidePosition(const QString &field);
QString slidePositionText(const SlidePosition &position);

struct SlidePageProps {
    QString title;
    int colour = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const SlidePageProps &, const SlidePageProps &) = default;
};

struct SlideStringProps {
    QString text;
    SlidePosition left;
    SlidePosition top;
    int fontSize = 0;
    int colour = 0;
    friend bool operator==(const SlideStringProps &, const SlideStringProps &) = default;
};

SlidePageProps readSlidePage(const QString &line);
SlideStringProps readSlideString(const QString &line);

// The editor's own record forms, "-%s,%ld,,%d,%d,%d,%d,,,,,,," and
// "%s,%s,%s,%d,%ld,c,c,,,,,,,". Texts lose their commas and line breaks, and a
// string text starting with "-" starts with "－", so that a written record
// always reads back as the same kind with the same fields.
QString writeSlidePage(const SlidePageProps &page);
QString writeSlideString(const SlideStringProps &string);

// One apply of the editor: the roll lines `lines` with page `page` and, when
// `string` >= 0, its string `string` rewritten. Returns false (and leaves
// `lines` alone) when the page no longer exists; a missing string writes the
// page only.
bool applySlideEdit(QStringList &lines, int page, const SlidePageProps &pageProps, int string,
                    const SlideStringProps &stringProps);

// The preview of one page: where each string lands. Positions are in page
// pixels; a relative step uses the character cell of the previous string's
// font (the size applies after the position), the first string uses the
// preview's default font (font size 0 asks for it).
struct SlideCell {
    double width = 0;
    double height = 0;
};
struct SlidePreviewItem {
    QString text;
    double x = 0;
    double y = 0;
    int fontSize = 0;
    int colour = 0;
};
// `defaultColour` is the text colour before any string names one; a colour
// field that is neither a number nor a colour name keeps the previous colour.
QList<SlidePreviewItem> layoutSlidePage(const QStringList &lines, const SlidePageLines &page,
                                        const std::function<SlideCell(int fontSize)> &cell,
                                        int defaultColour = SlideColours::Black);
