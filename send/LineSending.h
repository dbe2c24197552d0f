#pragma once
// What one press of the send key does with the roll: whether the caret line
// goes out and where the caret lands. Positions are editor character
// positions (UTF-16 units, one per line break).
#include "roll/RollConventions.h"

#include <QString>
#include <QtGlobal>

struct LineSendStep {
    bool send = false; // the caret line goes to the target
    int caretAfter = 0;
};

// The step for the caret line `line` with the caret at `caret` in a roll whose
// last position is `textEnd`: a recognised comment line is skipped, any other
// line (an empty one too) is sent; either way the caret moves on by the
// line's length plus its break, so from column c it lands on column c of the
// next line when that is long enough, further on otherwise, and never beyond
// the end of the roll.
LineSendStep lineSendStep(const QString &line, int caret, int textEnd, const CommentKinds &kinds);

// The target window named by the text of `SendHandle`: its leading decimal
// digits, as the capture writes them. Anything else (the initial
// "0x0000000", a negative number, no digits, an overflow) is 0, no target.
quint64 parseSendHandle(const QString &text);

// The text `SendHandle` shows for a captured window ("%ld").
QString formatSendHandle(quint64 window);
