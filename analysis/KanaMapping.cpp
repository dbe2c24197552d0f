#include "analysis/KanaMapping.h"

namespace {

// Half-width katakana U+FF66 (ｦ) … U+FF9D (ﾝ) as full-width hiragana; the
// small letters and ｰ included.
constexpr char16_t kHalfWidth[] = u"をぁぃぅぇぉゃゅょっーあいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわん";
static_assert(sizeof(kHalfWidth) / sizeof(char16_t) == 0xFF9D - 0xFF66 + 2);

constexpr char16_t kVoicedMark = 0xFF9E;     // ﾞ
constexpr char16_t kSemiVoicedMark = 0xFF9F; // ﾟ

// The voiced form of a hiragana letter, 0 when it has none.
char16_t voiced(char16_t c)
{
    // か…ほ: the voiced letter follows the plain one, except for っ/つ.
    if ((c >= u'か' && c <= u'ぢ' && (c - u'か') % 2 == 0) || c == u'つ' || c == u'て' || c == u'と')
        return char16_t(c + 1);
    if (c >= u'は' && c <= u'ほ' && (c - u'は') % 3 == 0)
        return char16_t(c + 1);
    return 0;
}

char16_t semiVoiced(char16_t c)
{
    return c >= u'は' && c <= u'ほ' && (c - u'は') % 3 == 0 ? char16_t(c + 2) : 0;
}

} // namespace

QString katakanaToHiragana(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if ((c >= u'ァ' && c <= u'ン') || c == u'ヽ' || c == u'ヾ') {
            out += QChar(char16_t(c - 0x60));
        } else if (c >= 0xFF66 && c <= 0xFF9D) {
            const char16_t base = kHalfWidth[c - 0xFF66];
            const char16_t next = i + 1 < text.size() ? text[i + 1].unicode() : 0;
            if (c == 0xFF73 && next == kVoicedMark) { // ｳﾞ: ゔ is not in Shift-JIS
                out += u'ヴ';
                ++i;
            } else if (next == kVoicedMark && voiced(base)) {
                out += QChar(voiced(base));
                ++i;
            } else if (next == kSemiVoicedMark && semiVoiced(base)) {
                out += QChar(semiVoiced(base));
                ++i;
            } else {
                out += QChar(base);
            }
        } else if (c == kVoicedMark) {
            out += u'゛';
        } else if (c == kSemiVoicedMark) {
            out += u'゜';
        } else {
            out += QChar(c);
        }
    }
    return out;
}
