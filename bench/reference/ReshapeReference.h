#pragma once
// The word-check reshape written step by step as the captioners' tool does it:
// the word list sorted longest first and scanned in full at every step, the
// rest of the line copied as it shrinks. Slow on purpose: it is the yardstick
// that the fast version must match character for character.
#include "roll/RollConventions.h"
#include "reshape/DisplayWidth.h"

#include <QStringList>

namespace reference {

inline int width(const QString &text)
{
    return MecsStringWidth(text, true);
}

inline QString firstChar(const QString &text)
{
    return (text.size() > 1 && text[0].isHighSurrogate() && text[1].isLowSurrogate()) ? text.left(2)
                                                                                       : text.left(1);
}

inline bool someWordStarts(const QString &text, const QStringList &sortedWords)
{
    for (const QString &w : sortedWords) {
        if (text.startsWith(w))
            return true;
    }
    return false;
}

inline QString reshapeLineByWords(const QString &line, int limit, const QStringList &sortedWords,
                                  const QString &extra)
{
    const bool comment = IsCommentLine(line);
    QString rest = line;
    QString out;
    int cur = 0;
    const auto endOutputLine = [&] {
        out += u'\n';
        out += comment ? QStringLiteral("<-") : extra;
        cur = 0;
    };
    while (width(rest) > limit) {
        const int room = limit - cur;
        QString piece;
        for (const QString &w : sortedWords) {
            if (rest.startsWith(w)) {
                piece = w;
                break;
            }
        }
        if (piece.isEmpty()) {
            bool wordAhead = false;
            for (const QString &w : sortedWords) {
                const qsizetype at = rest.indexOf(w);
                if (at >= 0 && width(rest.left(at)) < room) {
                    wordAhead = true;
                    break;
                }
            }
            if (wordAhead) {
                piece = firstChar(rest);
            } else {
                if (cur > 0)
                    endOutputLine();
                QString run = firstChar(rest);
                while (run.size() < rest.size()) {
                    const QString next = firstChar(rest.mid(run.size()));
                    if (width(run + next) > limit || someWordStarts(rest.mid(run.size()), sortedWords))
                        break;
                    run += next;
                }
                out += run;
                cur = width(run);
                rest = rest.mid(run.size());
                continue;
            }
        }
        if (cur > 0 && cur + width(piece) > limit)
            endOutputLine();
        out += piece;
        rest = rest.mid(piece.size());
        cur += width(piece);
    }
    if (cur + width(rest) > limit)
        endOutputLine();
    return out + rest + extra;
}

// The whole roll: over-long caption lines (and comment lines when asked) reshaped.
inline QStringList reshapeRoll(const QStringList &lines, int limit, const QStringList &sortedWords,
                               bool plasticComment, const QString &extra)
{
    QStringList items;
    for (const QString &line : lines) {
        if (width(line) > limit && (!IsCommentLine(line) || plasticComment))
            items.append(reshapeLineByWords(line, limit, sortedWords, extra));
        else
            items.append(line + extra);
    }
    return items;
}

} // namespace reference
