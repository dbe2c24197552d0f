#include "reshape/DisplayWidth.h"

#include "reshape/EastAsianWidthTable.h"

namespace {

enum : int { N = 0, F = 1, H = 2, W = 3, Na = 4, A = 5 };

inline int category(char32_t cp)
{
    return eaw::kBlocks[eaw::kBlockIndex[cp >> 8]][cp & 0xFF];
}

} // namespace

int MecsEastAsianWidth(char32_t codePoint)
{
    return codePoint > 0x10FFFF ? N : category(codePoint);
}

qint64 MecsStringWidth(QStringView text, bool ambiguousWide)
{
    qint64 cells = 0;
    const char16_t *p = text.utf16();
    const char16_t *end = p + text.size();
    while (p < end) {
        char32_t cp = *p++;
        if (cp < 0x7F) { // the common case: ASCII is one cell
            ++cells;
            continue;
        }
        if (QChar::isHighSurrogate(cp) && p < end && QChar::isLowSurrogate(*p))
            cp = QChar::surrogateToUcs4(char16_t(cp), *p++);
        else if (QChar::isSurrogate(cp)) {
            ++cells;
            continue;
        }
        const int c = category(cp);
        cells += (c == F || c == W || (ambiguousWide && c == A)) ? 2 : 1;
    }
    return cells;
}
