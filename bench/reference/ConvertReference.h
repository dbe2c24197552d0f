#pragma once
// The character-kind conversion written step by step as the captioners' tool
// does it: for every chosen class, one replace-all per table pair, longer
// sources first (equal lengths in table order), the comma after the symbol
// table; then one replace-all per row of the user's list. Slow on purpose: it
// is the yardstick that the one-pass conversion must match character for
// character. It starts from the text's Shift-JIS forms as the conversion does.
#include "convert/CharConversion.h"
#include "convert/ConversionTables.h"

#include <QList>
#include <QPair>
#include <QString>

#include <algorithm>

namespace reference {

inline QString replaceClass(QString text, CharClass cls, bool towardsWide)
{
    QList<QPair<QString, QString>> pairs;
    for (const ConversionPair &p : conversionTable(cls))
        pairs.append(towardsWide ? qMakePair(p.narrow, p.wide) : qMakePair(p.wide, p.narrow));
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const auto &a, const auto &b) { return a.first.size() > b.first.size(); });
    for (const auto &[source, target] : pairs)
        text.replace(source, target);
    if (cls == CharClass::Symbols) {
        const ConversionPair comma = symbolCommaPair();
        text.replace(towardsWide ? comma.narrow : comma.wide, towardsWide ? comma.wide : comma.narrow);
    }
    return text;
}

inline QString convertText(const QString &text, const ConversionChoice &choice,
                           const QList<ConversionRow> &userRows)
{
    QString out = shiftJisForms(text);
    const QPair<CharClass, WidthWay> widths[] = {
        {CharClass::Alphabet, choice.alpha}, {CharClass::Space, choice.space},   {CharClass::Digits, choice.num},
        {CharClass::Symbols, choice.kigou},  {CharClass::Katakana, choice.kata},
    };
    for (const auto &[cls, way] : widths) {
        if (way != WidthWay::None)
            out = replaceClass(out, cls, way == WidthWay::Full);
    }
    if (choice.unit != UnitWay::None)
        out = replaceClass(out, CharClass::Units, choice.unit == UnitWay::ToSymbol);
    for (const ConversionRow &row : userRows) {
        const QString &source = choice.user == UserWay::Forward ? row.first : row.second;
        const QString &target = choice.user == UserWay::Forward ? row.second : row.first;
        if (choice.user != UserWay::None && !source.isEmpty())
            out.replace(source, target);
    }
    return out;
}

} // namespace reference
