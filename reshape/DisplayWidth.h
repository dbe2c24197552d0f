#pragma once
// Width of roll text on the caption screen, in half-width cells.
#include <QStringView>

// East Asian Width category of a code point (Unicode 5.1.0 table, private-use
// planes 15 and 16 neutral): 0 N, 1 F, 2 H, 3 W, 4 Na, 5 A. Code points the
// table does not list, and values beyond U+10FFFF, are N.
int MecsEastAsianWidth(char32_t codePoint);

// Cells of `text`: 2 for each F or W code point (and A when `ambiguousWide`),
// 1 for every other one. A surrogate pair is one code point; a lone surrogate
// counts one cell.
qint64 MecsStringWidth(QStringView text, bool ambiguousWide = true);

// Cells a caption line may hold: 2 × the character-line setting (full-width characters).
inline int lineLimitCells(int charPosValue)
{
    return 2 * charPosValue;
}
