#include "analysis/KanaMapping.h"

#include "platform/Cp932.h"

namespace {

// Half-width ｱ (U+FF71) to ﾝ (U+FF9D) in hiragana.
constexpr char16_t kHalfWidthKana[] = u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわん";
// Half-width ｦ (U+FF66) to ｯ (U+FF6F).
constexpr char16_t kHalfWidthSmall[] = u"をぁぃぅぇぉゃゅょっ";

bool takesVoicedMark(char16_t h)
{
    return (h >= u'か' && h <= u'ぢ' && (h - u'か') % 2 == 0) || (h >= u'つ' && h <= u'ど' && (h - u'つ') % 2 == 0)
           || (h >= u'は' && h <= u'ほ' && (h - u'は') % 3 == 0);
}

bool takesSemiVoicedMark(char16_t h)
{
    return h >= u'は' && h <= u'ほ' && (h - u'は') % 3 == 0;
}

} // namespace

QString katakanaToHiragana(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char16_t mark = i + 1 < text.size() ? text[i + 1].unicode() : 0;
        if (c >= u'ァ' && c <= u'ン') {
            out += QChar(char16_t(c - 0x60));
        } else if (c == u'ヽ' || c == u'ヾ') {
            out += QChar(char16_t(c - 0x60));
        } else if (c >= 0xFF71 && c <= 0xFF9D) {
            const char16_t h = kHalfWidthKana[c - 0xFF71];
            if (mark == 0xFF9E && takesVoicedMark(h)) {
                out += QChar(char16_t(h + 1));
                ++i;
            } else if (mark == 0xFF9F && takesSemiVoicedMark(h)) {
                out += QChar(char16_t(h + 2));
                ++i;
            } else if (mark == 0xFF9E && h == u'う') {
                out += u'ヴ'; // no hiragana in Shift-JIS
                ++i;
            } else {
                out += QChar(h);
            }
        } else if (c >= 0xFF66 && c <= 0xFF6F) {
            out += QChar(kHalfWidthSmall[c - 0xFF66]);
        } else if (c == 0xFF70) {
            out += u'ー';
        } else if (c == 0xFF9E || c == 0xFF9F) {
            out += QChar(char16_t(c == 0xFF9E ? u'゛' : u'゜'));
        } else {
            out += QChar(c);
        }
    }
    if (cp932Encode(out).size() > kKanaMappingLimit)
        return {};
    return out;
}
