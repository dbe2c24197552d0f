#pragma once
// The character-kind conversion: the classes chosen in the conversion window,
// applied in a fixed order (alphabet, space, digits, symbols, katakana, units,
// then the user's list), each to the result of the one before.
#include "convert/ConversionTables.h"

#include <QList>
#include <QPair>
#include <QString>

#include <functional>

enum class WidthWay { None, Half, Full };
enum class UnitWay { None, ToSymbol, ToWord };
enum class UserWay { None, Forward, Reverse };

struct ConversionChoice {
    WidthWay alpha = WidthWay::None;
    WidthWay space = WidthWay::None;
    WidthWay num = WidthWay::None;
    WidthWay kigou = WidthWay::None;
    WidthWay kata = WidthWay::None;
    UnitWay unit = UnitWay::None;
    UserWay user = UserWay::None;
};

// One row of the user's list: the text before conversion and the text after.
using ConversionRow = QPair<QString, QString>;

// The text as it comes back from Shift-JIS: characters with another form in
// code page 932 take that form (— becomes ―, ¥ becomes \ …). Characters
// Shift-JIS cannot hold stay as they are, so that converting never loses them
// (saving the roll asks about them as it always does).
QString shiftJisForms(const QString &text);

// One built-in class in one direction over `text`, in a single pass; the
// same result as the class's replace-alls in order (see orderedPairs).
QString convertClass(const QString &text, CharClass cls, bool towardsWide);

// The user's rows in list order, one replace-all each, so a row acts on what
// the rows above it wrote. Forward replaces each before-text by its
// after-text, Reverse the other way; a row whose source is empty is skipped.
QString applyUserRows(const QString &text, const QList<ConversionRow> &rows, UserWay way);

// The whole conversion of `text` (the selection or the roll): shiftJisForms,
// then every chosen class in order. `betweenSteps`, when given, runs between
// the classes (the window keeps painting through it).
QString convertText(const QString &text, const ConversionChoice &choice, const QList<ConversionRow> &userRows,
                    const std::function<void()> &betweenSteps = {});
