#pragma once

// Code page 932: Shift-JIS as Windows has it, NEC and IBM extension rows
// included. Roll files and the programs and windows we exchange text with use
// it; inside the editor all text is QString, converted only at those edges.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// What decoding does with line ends: keeps them as they are, or folds CR LF and
// a lone CR into one LF in the same pass (as the editor and the tool read rolls).
enum class LineEnds { Keep, Fold };

// Decodes `bytes`; never fails. A lone trail byte, a lead byte cut off at the end,
// an unassigned code and the bytes 0x80, 0xA0, 0xFD-0xFF each give one U+FFFD,
// and decoding goes on after them: an unassigned lead + ASCII pair gives U+FFFD
// followed by that ASCII character. 0x5C and 0x7E are '\' and '~'.
// When `broken` is given it receives the number of U+FFFD written.
QString cp932Decode(QByteArrayView bytes, LineEnds ends = LineEnds::Keep, qsizetype *broken = nullptr);

// Encodes `text` as Windows does. The other Unicode forms of ― ～ ∥ － ￠ ￡ ￢
// (— 〜 ‖ − ¢ £ ¬) are written with those characters' codes, ¥ and ‾ as 0x5C and
// 0x7E. Each character code page 932 cannot represent becomes one '?': a
// surrogate pair is one character, so is a lone surrogate.
QByteArray cp932Encode(QStringView text);

// True if cp932Encode writes `c` as itself or an equivalent form rather than '?'.
bool cp932CanEncode(char32_t c);

// The characters cp932Encode would turn into '?', each once, in order of first
// appearance (a lone surrogate is reported as U+FFFD). Empty if none.
QString cp932UnencodableChars(QStringView text);
