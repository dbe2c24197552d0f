#pragma once
// The whole-roll shaping commands as functions of the roll's lines, shared by
// the editor's menu commands and velmat-tool. Each returns the items that
// replace the roll (see itemsToText).
#include "reshape/LineShapes.h"
#include "reshape/Reshape.h"

class WidthModel;
class WordList;

struct RollShapeSettings {
    bool plasticComment = false; // comment lines are shaped too
    bool insertBlankLine = false; // an empty line after every line written
    bool ignoreBreaks = false;    // the roll's own line breaks are removed first
    bool breakAtPeriod = false;   // reshapes first break after every 「。」
    bool breakAtComma = false;    // … and after every 「、」
    BreakRules rules;             // how reshapes choose their breaks

    ReshapeOptions reshapeOptions() const { return {plasticComment, insertBlankLine, rules}; }
};

// The lines the roll holds after its text became `items`.
QStringList itemsToLines(const QStringList &items);

// A break after every mark.
QStringList breakRoll(const QStringList &lines, BreakMark mark, const RollShapeSettings &settings);
// Centring within `limitCells`; trimming.
QStringList centreRoll(const QStringList &lines, int limitCells, const RollShapeSettings &settings);
QStringList trimRoll(const QStringList &lines, const RollShapeSettings &settings);
// trimRoll over a roll text ("\n" between lines), giving the items' text.
QString trimRollText(QString text, const RollShapeSettings &settings);

// The lines after the breaks a reshape makes first (「。」, then 「、」, when set).
QStringList preReshapeBreaks(const QStringList &lines, const RollShapeSettings &settings);

// Reshape by character count (`chars` full-width characters per line), by
// words when `words` is given. Without breaks the input is broken again after
// 「／」 and 「。」. The pre-breaks are not included (see preReshapeBreaks).
QStringList reshapeRollByCount(const QStringList &lines, int chars, const RollShapeSettings &settings,
                               const WordList *words);

// Reshape by pixel width; without breaks the whole roll is one input line.
QStringList reshapeRollByWidth(const QStringList &lines, int screenWidth, const RollShapeSettings &settings,
                               const WordList *words, WidthModel &pixels);
