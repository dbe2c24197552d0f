#include "convert/CharConversion.h"

#include "convert/PairConverter.h"
#include "convert/ReplaceAll.h"
#include "platform/Cp932.h"

#include <array>
#include <memory>

QString shiftJisForms(const QString &text)
{
    const QString back = cp932Decode(cp932Encode(text));
    // Each character comes back as one code unit ('?' when it cannot be
    // written); walk both texts together and keep the originals of the '?'s.
    QString out;
    out.reserve(text.size());
    qsizetype j = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++j) {
        const QChar c = text.at(i);
        const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        if (j >= back.size())
            return text; // out of step: should not happen; lose nothing
        if (back.at(j) == u'?' && c != u'?') {
            out += c;
            if (pair)
                out += text.at(++i);
        } else {
            out += back.at(j);
            if (pair)
                ++i;
        }
    }
    return j == back.size() ? out : text;
}

QString convertClass(const QString &text, CharClass cls, bool towardsWide)
{
    // Built once per class and direction and kept for the run of the program.
    static std::array<std::unique_ptr<PairConverter>, 12> converters;
    std::unique_ptr<PairConverter> &slot = converters[size_t(int(cls) * 2 + (towardsWide ? 1 : 0))];
    if (!slot)
        slot = std::make_unique<PairConverter>(orderedPairs(cls, towardsWide));
    return slot->convert(text);
}

QString applyUserRows(const QString &text, const QList<ConversionRow> &rows, UserWay way)
{
    QString out = text;
    if (way == UserWay::None)
        return out;
    for (const ConversionRow &row : rows) {
        const QString &source = way == UserWay::Forward ? row.first : row.second;
        const QString &target = way == UserWay::Forward ? row.second : row.first;
        if (!source.isEmpty())
            out = replaceAll(out, source, target);
    }
    return out;
}

QString convertText(const QString &text, const ConversionChoice &choice, const QList<ConversionRow> &userRows,
                    const std::function<void()> &betweenSteps)
{
    QString out = shiftJisForms(text);
    const std::pair<CharClass, WidthWay> widths[] = {
        {CharClass::Alphabet, choice.alpha}, {CharClass::Space, choice.space},   {CharClass::Digits, choice.num},
        {CharClass::Symbols, choice.kigou},  {CharClass::Katakana, choice.kata},
    };
    const auto step = [&](CharClass cls, bool towardsWide) {
        out = convertClass(out, cls, towardsWide);
        if (betweenSteps)
            betweenSteps();
    };
    for (const auto &[cls, way] : widths) {
        if (way != WidthWay::None)
            step(cls, way == WidthWay::Full);
    }
    if (choice.unit != UnitWay::None)
        step(CharClass::Units, choice.unit == UnitWay::ToSymbol);
    return applyUserRows(out, userRows, choice.user);
}
