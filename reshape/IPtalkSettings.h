#pragma once
// The caption screen as IPtalk's settings file (".dp9") describes it: item 1
// the screen width in pixels, item 7 the font, item 9 the font size. Each line
// that matters reads "number, one separator, value up to ':', ':', a field, ':'".
// The file is IPtalk's, not ours, so it is read defensively: anything that is
// not plainly such a text file is refused whole rather than half applied.
#include "reshape/WidthCheckSettings.h"

#include <QByteArrayView>
#include <QString>
#include <optional>

// The most bytes a settings file may have; IPtalk's are a few kilobytes.
inline constexpr qsizetype kIPtalkSettingsLimit = 4 * 1024 * 1024;
// The longest line read, as IPtalk's own reader has it; longer lines are skipped.
inline constexpr qsizetype kIPtalkLineLimit = 4999;

struct IPtalkSettings {
    std::optional<int> screenWidth; // item 1, clamped to 0–3000
    std::optional<QString> font;    // item 7, as written
    std::optional<int> points;      // item 9, clamped to 0–300
    // Why the file was refused; empty when it was read. A refused file yields no items.
    QString problem;
    bool openFailed = false; // the file could not be opened at all (problem says why)

    bool readable() const { return problem.isEmpty(); }
    bool hasItems() const { return screenWidth || font || points; }
};

// The items of the file's bytes. Shift-JIS unless a byte-order mark says
// otherwise; UTF-8 without a mark is taken when Shift-JIS cannot decode it.
// When an item occurs on several lines the last one wins.
IPtalkSettings parseIPtalkSettings(QByteArrayView bytes);

// Reads the file at `path` (bounded by kIPtalkSettingsLimit) and parses it.
IPtalkSettings readIPtalkSettings(const QString &path);

// `current` with the items the file held put in.
WidthCheckSettings withIPtalkSettings(WidthCheckSettings current, const IPtalkSettings &items);

// The C library's reading of a leading decimal: blanks, a sign, digits up to
// the first other character; 0 when there are none. Clamped to [min, max].
int leadingNumber(QStringView text, int min, int max);
