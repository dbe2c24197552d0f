#pragma once

// Code page 932: Shift-JIS as Windows has it, NEC and IBM extension rows
// included. Roll files and the programs and windows we exchange text with use
// it; inside the editor all text is QString, converted only at those edges.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QSet>
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

// What writing a text as code page 932 loses, counted as cp932Encode writes
// it: the characters that become '?', how often, and on which lines. A text
// may be fed in pieces, in order (a piece may end inside a line, never inside
// a surrogate pair).
class Cp932Losses {
public:
    // Line numbers kept at most; more are only counted.
    static constexpr qsizetype kMaxLines = 100;

    void add(QStringView piece);

    bool isEmpty() const { return m_count == 0; }
    // How many characters became '?' (a surrogate pair is one).
    qsizetype count() const { return m_count; }
    // Each lost character once, in order of first appearance (a lone surrogate as U+FFFD).
    QString characters() const { return m_characters; }
    // One-based numbers of the first lines ('\n' ends a line) that lost characters, ascending.
    QList<qsizetype> lines() const { return m_lines; }
    // How many lines lost characters.
    qsizetype lineCount() const { return m_lineCount; }

private:
    qsizetype m_count = 0;
    QString m_characters;
    QList<qsizetype> m_lines;
    qsizetype m_lineCount = 0;
    qsizetype m_line = 1;     // the line the next piece begins in
    qsizetype m_lastLine = 0; // the last line counted in m_lineCount
    QSet<char32_t> m_seen;
};
