#pragma once
// The built-in tables of the character-kind conversion. Each class pairs a
// narrow side (half-width characters, or unit words) with a wide side
// (full-width characters, or unit symbols); entry i of one side belongs to
// entry i of the other.
#include <QList>
#include <QPair>
#include <QString>

enum class CharClass { Alphabet, Space, Digits, Symbols, Katakana, Units };

struct ConversionPair {
    QString narrow; // half-width text, or the unit word
    QString wide;   // full-width text, or the unit symbol
};

// A class's table in table order, duplicates and pairs with equal sides
// included (the symbol class's comma is not part of it: see symbolCommaPair).
QList<ConversionPair> conversionTable(CharClass cls);

// The comma, which the symbol class converts after its table.
ConversionPair symbolCommaPair();

// (source, target) pairs in the order a run of replace-alls applies them:
// towards the wide side (`towardsWide`) or the narrow side, longer sources
// first and equal lengths in table order, the symbol class's comma last.
QList<QPair<QString, QString>> orderedPairs(CharClass cls, bool towardsWide);
