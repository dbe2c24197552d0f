#include "convert/ConversionTables.h"

#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Pairs written as "narrow=wide" separated by single spaces (no entry holds a
// space or "=").
QList<ConversionPair> splitPairs(const QString &text)
{
    QList<ConversionPair> out;
    for (const QString &entry : text.split(u' ')) {
        const qsizetype eq = entry.indexOf(u'=');
        out.append({entry.left(eq), entry.mid(eq + 1)});
    }
    return out;
}

// A run of code points mapped onto another run of the same length.
void appendRange(QList<ConversionPair> &out, char16_t narrowFirst, char16_t narrowLast, char16_t wideFirst)
{
    for (char16_t c = narrowFirst; c <= narrowLast; ++c)
        out.append({QString(QChar(c)), QString(QChar(char16_t(wideFirst + (c - narrowFirst))))});
}

QList<ConversionPair> symbolTable()
{
    // Half-width forms (､ ｡ ･ ﾞ ﾟ ｰ) and ″ stand for themselves on both sides;
    // the apostrophe comes twice. Both are kept as the captioners' table has them.
    static const char16_t *const pairs[][2] = {
        {u"\uFF64", u"\uFF64"}, {u"\uFF61", u"\uFF61"}, {u".", u"\uFF0E"},      {u"\uFF65", u"\uFF65"},
        {u":", u"\uFF1A"},      {u";", u"\uFF1B"},      {u"?", u"\uFF1F"},      {u"!", u"\uFF01"},
        {u"\uFF9E", u"\uFF9E"}, {u"\uFF9F", u"\uFF9F"}, {u"^", u"\uFF3E"},      {u"~", u"\uFFE3"},
        {u"_", u"\uFF3F"},      {u"\uFF70", u"\uFF70"}, {u"/", u"\uFF0F"},      {u"|", u"\uFF5C"},
        {u"`", u"\u2018"},      {u"'", u"\u2019"},      {u"\"", u"\u201D"},     {u"(", u"\uFF08"},
        {u")", u"\uFF09"},      {u"[", u"\uFF3B"},      {u"]", u"\uFF3D"},      {u"{", u"\uFF5B"},
        {u"}", u"\uFF5D"},      {u"+", u"\uFF0B"},      {u"-", u"\uFF0D"},      {u"=", u"\uFF1D"},
        {u"<", u"\uFF1C"},      {u">", u"\uFF1E"},      {u"'", u"\u2019"},      {u"\u2033", u"\u2033"},
        {u"\\", u"\uFFE5"},     {u"$", u"\uFF04"},      {u"%", u"\uFF05"},      {u"#", u"\uFF03"},
        {u"&", u"\uFF06"},      {u"*", u"\uFF0A"},      {u"@", u"\uFF20"},      {u"I", u"\u2160"},
        {u"II", u"\u2161"},     {u"III", u"\u2162"},    {u"IV", u"\u2163"},     {u"V", u"\u2164"},
        {u"VI", u"\u2165"},     {u"VII", u"\u2166"},    {u"VIII", u"\u2167"},   {u"IX", u"\u2168"},
        {u"X", u"\u2169"},
    };
    QList<ConversionPair> out;
    for (const auto &p : pairs)
        out.append({QString::fromUtf16(p[0]), QString::fromUtf16(p[1])});
    return out;
}

} // namespace

QList<ConversionPair> conversionTable(CharClass cls)
{
    QList<ConversionPair> out;
    switch (cls) {
    case CharClass::Alphabet:
        appendRange(out, u'A', u'Z', 0xFF21);
        appendRange(out, u'a', u'z', 0xFF41);
        return out;
    case CharClass::Space:
        appendRange(out, u' ', u' ', 0x3000);
        return out;
    case CharClass::Digits:
        appendRange(out, u'0', u'9', 0xFF10);
        return out;
    case CharClass::Symbols:
        return symbolTable();
    case CharClass::Katakana:
        // Five half-width letters come twice (ﾜ ｲ ｴ ｶ ｹ): towards full width the
        // first pair wins, towards half width both full-width letters give one.
        return splitPairs(
            u"ｧ=ァ ｱ=ア ｨ=ィ ｲ=イ ｩ=ゥ ｳ=ウ ｪ=ェ ｴ=エ ｫ=ォ ｵ=オ ｶ=カ ｶﾞ=ガ ｷ=キ ｷﾞ=ギ ｸ=ク ｸﾞ=グ ｹ=ケ "
            u"ｹﾞ=ゲ ｺ=コ ｺﾞ=ゴ ｻ=サ ｻﾞ=ザ ｼ=シ ｼﾞ=ジ ｽ=ス ｽﾞ=ズ ｾ=セ ｾﾞ=ゼ ｿ=ソ ｿﾞ=ゾ ﾀ=タ ﾀﾞ=ダ ﾁ=チ "
            u"ﾁﾞ=ヂ ｯ=ッ ﾂ=ツ ﾂﾞ=ヅ ﾃ=テ ﾃﾞ=デ ﾄ=ト ﾄﾞ=ド ﾅ=ナ ﾆ=ニ ﾇ=ヌ ﾈ=ネ ﾉ=ノ ﾊ=ハ ﾊﾞ=バ ﾊﾟ=パ "
            u"ﾋ=ヒ ﾋﾞ=ビ ﾋﾟ=ピ ﾌ=フ ﾌﾞ=ブ ﾌﾟ=プ ﾍ=ヘ ﾍﾞ=ベ ﾍﾟ=ペ ﾎ=ホ ﾎﾞ=ボ ﾎﾟ=ポ ﾏ=マ ﾐ=ミ ﾑ=ム ﾒ=メ "
            u"ﾓ=モ ｬ=ャ ﾔ=ヤ ｭ=ュ ﾕ=ユ ｮ=ョ ﾖ=ヨ ﾗ=ラ ﾘ=リ ﾙ=ル ﾚ=レ ﾛ=ロ ﾜ=ワ ﾜ=ヮ ｲ=ヰ ｴ=ヱ ｦ=ヲ "
            u"ﾝ=ン ｳﾞ=ヴ ｶ=ヵ ｹ=ヶ ｰ=ー"_s);
    case CharClass::Units:
        return splitPairs(
            u"ミリ=㍉ キロ=㌔ センチ=㌢ メートル=㍍ グラム=㌘ トン=㌧ アール=㌃ ヘクタール=㌶ リットル=㍑ "
            u"ワット=㍗ カロリー=㌍ ドル=㌦ セント=㌣ パーセント=㌫ ミニバール=㍊ ページ=㌻ ｍｍ=㎜ ｃｍ=㎝ "
            u"ｋｍ=㎞ ｍｇ=㎎ ｋｇ=㎏ ｃｃ=㏄ ｍ２=㎡ 平成=㍻ No.=№ K.K.=㏍ Tel=℡ （上）=㊤ （中）=㊥ "
            u"（下）=㊦ （左）=㊧ （右）=㊨ （株）=㈱ （有）=㈲ （代）=㈹ 明治=㍾ 大正=㍽ 昭和=㍼"_s);
    }
    return out;
}

ConversionPair symbolCommaPair()
{
    return {u","_s, u"\uFF0C"_s};
}

QList<QPair<QString, QString>> orderedPairs(CharClass cls, bool towardsWide)
{
    QList<QPair<QString, QString>> out;
    for (const ConversionPair &p : conversionTable(cls))
        out.append(towardsWide ? qMakePair(p.narrow, p.wide) : qMakePair(p.wide, p.narrow));
    std::stable_sort(out.begin(), out.end(),
                     [](const auto &a, const auto &b) { return a.first.size() > b.first.size(); });
    if (cls == CharClass::Symbols) {
        const ConversionPair comma = symbolCommaPair();
        out.append(towardsWide ? qMakePair(comma.narrow, comma.wide) : qMakePair(comma.wide, comma.narrow));
    }
    return out;
}
