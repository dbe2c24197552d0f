#pragma once
// The line-break rule classes as Japanese typesetting practice lists them,
// written out here only to judge the reshapes' output independently of the
// library the editor takes its break places from.
#include <QStringView>

// Characters no line may begin with.
inline bool mayNotStartLine(char32_t c)
{
    static const QStringView kClasses =
        u"）］｝〕〉》」』】〙〗’”)]}｣"  // closing brackets and quotes
        u"‐〜゠–"                         // hyphens
        u"？！‼⁇?!"                       // dividing marks
        u"・：；:;･"                       // middle dots and colons
        u"。．、，.,｡､"                    // full stops and commas
        u"ヽヾゝゞ々〻ー"                  // iteration marks, the prolonged sound mark
        u"ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶ"
        u"ｧｨｩｪｫｬｭｮｯｰ";                   // small kana, half-width too
    if (c >= 0x31F0 && c <= 0x31FF)
        return true;
    return c <= 0xFFFF && kClasses.contains(QChar(char16_t(c)));
}

// Characters no line may end with.
inline bool mayNotEndLine(char32_t c)
{
    static const QStringView kClasses = u"（［｛〔〈《「『【〘〖‘“([{｢";
    return c <= 0xFFFF && kClasses.contains(QChar(char16_t(c)));
}

// Pairs that may not be split: 「……」「‥‥」, digits with their separators,
// and Latin letters.
inline bool mayNotSplit(char32_t before, char32_t after)
{
    const auto latinOrDigit = [](char32_t c) {
        return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')
            || (c >= 0xFF10 && c <= 0xFF19) || (c >= 0xFF21 && c <= 0xFF3A) || (c >= 0xFF41 && c <= 0xFF5A);
    };
    if ((before == u'…' || before == u'‥') && before == after)
        return true;
    return latinOrDigit(before) && latinOrDigit(after);
}
