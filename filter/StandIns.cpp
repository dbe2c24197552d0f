#include "filter/StandIns.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace {

// Our own short list, not a conversion table: each stand-in looks and reads
// the same to a captioner, and keeps the line's width within a cell or two.
// Only characters code page 932 lacks belong here (the other forms of ― ～ ∥
// － ￠ ￡ ￢ are written by the encoder itself).
const QHash<char16_t, QString> &standIns()
{
    static const QHash<char16_t, QString> table{
        // bullets
        {u'\u2022', u"・"_s}, // • bullet
        {u'\u2023', u"・"_s}, // ‣ triangular bullet
        {u'\u2219', u"・"_s}, // ∙ bullet operator
        {u'\u2981', u"・"_s}, // ⦁ Z notation spot
        {u'\u00B7', u"・"_s}, // · middle dot
        {u'\u2043', u"‐"_s},  // ⁃ hyphen bullet
        {u'\u25E6', u"○"_s},  // ◦ white bullet
        {u'\u25AA', u"■"_s},  // ▪ small black square
        {u'\u25AB', u"□"_s},  // ▫ small white square
        // dashes
        {u'\u2011', u"‐"_s},      // non-breaking hyphen
        {u'\u2012', u"－"_s},     // figure dash
        {u'\u2013', u"－"_s},     // – en dash
        {u'\uFE58', u"―"_s},      // small em dash
        {u'\u2E3A', u"――"_s},     // two-em dash
        {u'\u2E3B', u"―――"_s},    // three-em dash
        {u'\u22EF', u"…"_s},      // ⋯ midline ellipsis
        // quotation marks
        {u'\u00AB', u"≪"_s},
        {u'\u00BB', u"≫"_s},
        // ligatures, which PDF text is full of
        {u'\uFB00', u"ff"_s}, {u'\uFB01', u"fi"_s}, {u'\uFB02', u"fl"_s}, {u'\uFB03', u"ffi"_s},
        {u'\uFB04', u"ffl"_s},
        // signs
        {u'\u00A9', u"(C)"_s},
        {u'\u00AE', u"(R)"_s},
        {u'\u2122', u"TM"_s},
        // blanks: the narrow ones as a half-width blank, the em space as a full-width one
        {u'\u00A0', u" "_s}, {u'\u2002', u" "_s}, {u'\u2004', u" "_s}, {u'\u2005', u" "_s},
        {u'\u2006', u" "_s}, {u'\u2007', u" "_s}, {u'\u2008', u" "_s}, {u'\u2009', u" "_s},
        {u'\u200A', u" "_s}, {u'\u202F', u" "_s}, {u'\u205F', u" "_s},
        {u'\u2003', u"　"_s},
        // invisible marks: zero-width space, word joiner, soft hyphen, a byte-order mark inside the text
        {u'\u200B', QString()}, {u'\u2060', QString()}, {u'\u00AD', QString()}, {u'\uFEFF', QString()},
    };
    return table;
}

// None of the characters above lies in ASCII or between the ideographic
// space and the ligatures, where nearly all of a roll's text is.
bool mayHaveStandIn(char16_t c)
{
    return c >= 0xA0 && (c < 0x3000 || c >= 0xFB00);
}

} // namespace

QString withStandIns(QString text)
{
    const QHash<char16_t, QString> &table = standIns();
    qsizetype i = 0;
    // Most text has none: look before copying.
    for (; i < text.size(); ++i) {
        if (mayHaveStandIn(text[i].unicode()) && table.contains(text[i].unicode()))
            break;
    }
    if (i == text.size())
        return text;
    QString out = text.left(i);
    out.reserve(text.size());
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const auto it = mayHaveStandIn(c) ? table.constFind(c) : table.constEnd();
        if (it == table.constEnd())
            out += QChar(c);
        else
            out += *it;
    }
    return out;
}
