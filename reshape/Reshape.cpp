#include "reshape/Reshape.h"

#include "roll/RollConventions.h"
#include "reshape/TextUnits.h"
#include "reshape/WidthModel.h"
#include "reshape/WordList.h"

#include <optional>

namespace {

const QString kMarker = QStringLiteral("<-");

// The literal reshapes cut between characters, where a character is a unit:
// with its combining marks, or a ruby code with the start of its base.

// UTF-16 units of the unit at `pos`.
qsizetype charLength(const TextUnits &units, qsizetype pos)
{
    return units.endOf(pos) - pos;
}

// UTF-16 units of the unit that ends just before `pos`.
qsizetype charLengthBefore(const TextUnits &units, qsizetype pos)
{
    return pos - units.startOf(pos - 1);
}

// True when a caption line broken at `pos` would give a line beginning with
// "<-": a comment, never sent. Breaks of caption lines avoid such places.
bool breakMakesComment(QStringView line, qsizetype pos)
{
    return pos > 0 && pos + 1 < line.size() && line[pos] == u'<' && line[pos + 1] == u'-';
}

} // namespace

QString reshapeLineByChars(QStringView line, int chars, QStringView extra)
{
    const bool comment = IsCommentLine(line.toString());
    if (chars < 1 || (comment && chars < 3))
        return line.toString().append(extra);
    const TextUnits units(line);
    QString out;
    qsizetype p = 0;
    qsizetype prefix = 0; // "<-" standing before line[p] on a comment continuation
    const auto opensComment = [&](qsizetype at) { return !comment && breakMakesComment(line, at); };
    while (prefix + (line.size() - p) > chars || opensComment(p)) {
        qsizetype take = chars - prefix;
        if (opensComment(p)) {
            // The piece before was a single character: "<" goes alone.
            take = charLength(units, p);
        } else {
            // Never cut inside a character: the cut moves back to its start,
            // or past it when it alone is longer than a piece.
            if (!units.startsAt(p + take)) {
                const qsizetype start = units.startOf(p + take);
                take = (start > p ? start : units.endOf(p)) - p;
            }
            // Nor before "<-": break one character earlier.
            if (opensComment(p + take) && take > charLengthBefore(units, p + take))
                take -= charLengthBefore(units, p + take);
        }
        // A piece that holds all the rest is the last one: no empty line after it.
        if (p + take >= line.size())
            break;
        if (prefix)
            out += kMarker;
        out += line.sliced(p, take);
        p += take;
        prefix = comment ? kMarker.size() : 0;
        out += u'\n';
        out += extra;
    }
    if (prefix)
        out += kMarker;
    out += line.sliced(p);
    out += extra;
    return out;
}

QString reshapeLineByWidth(QStringView line, int limit, WidthModel &model, QStringView extra)
{
    const bool comment = IsCommentLine(line.toString());
    const qint64 markerWidth = comment ? model.width(kMarker) : 0;
    const TextUnits units(line);
    QString out;
    qsizetype p = 0;
    bool prefixed = false;
    qint64 restWidth = model.width(line);
    const auto opensComment = [&](qsizetype at) { return !comment && breakMakesComment(line, at); };
    // The marker alone may be wider than the screen: stop once the line is used up.
    while ((restWidth > limit || opensComment(p)) && p < line.size()) {
        // The longest start that fits; at least one character of the line.
        qint64 used = prefixed ? markerWidth : 0;
        qsizetype end = p;
        // After a single character that could not move on, "<" goes alone.
        while (end < line.size() && !(end > p && opensComment(p))) {
            const qsizetype len = charLength(units, end);
            const qint64 w = model.width(line.sliced(end, len));
            if (end > p && used + w > limit)
                break;
            if (end == p && used + w > limit) { // a character wider than the screen goes alone
                used += w;
                end += len;
                break;
            }
            used += w;
            end += len;
        }
        // A break before "<-" moves one character earlier.
        if (opensComment(end) && end - p > charLengthBefore(units, end)) {
            const qsizetype back = charLengthBefore(units, end);
            used -= model.width(line.sliced(end - back, back));
            end -= back;
        }
        if (prefixed)
            out += kMarker;
        out += line.sliced(p, end - p);
        restWidth -= used;
        p = end;
        out += u'\n';
        if (comment) {
            prefixed = true;
            restWidth += markerWidth;
        } else {
            out += extra;
        }
    }
    if (prefixed)
        out += kMarker;
    out += line.sliced(p);
    out += extra;
    return out;
}

QString reshapeLineByWords(QStringView line, int limit, const WordList &words, WidthModel &model,
                           QStringView extra)
{
    const bool comment = IsCommentLine(line.toString());
    const TextUnits units(line);
    QString out;
    qint64 cur = 0;
    qsizetype p = 0;
    qint64 restWidth = model.width(line);
    const auto endOutputLine = [&] {
        out += u'\n';
        out += comment ? QStringView(kMarker) : extra;
        cur = 0;
    };
    // A piece never ends just before "<-" of a caption line: "<" joins it, so
    // that no output line begins as a comment.
    const auto opensComment = [&](qsizetype at) { return !comment && breakMakesComment(line, at); };
    while (restWidth > limit) {
        const qint64 room = limit - cur;
        qsizetype len = words.longestAt(line, p);
        if (len == 0) {
            // Is there a word that begins within the room?
            qint64 before = 0;
            bool wordAhead = false;
            for (qsizetype q = p; q < line.size() && before < room; q += charLength(units, q)) {
                if (words.anyAt(line, q)) {
                    wordAhead = true;
                    break;
                }
                before += model.width(line.sliced(q, charLength(units, q)));
            }
            if (wordAhead) {
                len = charLength(units, p);
                if (opensComment(p + len))
                    ++len;
            } else {
                // Nothing to keep whole here: start a fresh line and move on
                // what fits of the text before the next word.
                if (cur > 0)
                    endOutputLine();
                qsizetype end = p;
                qint64 used = 0;
                while (end < line.size()) {
                    const qsizetype l = charLength(units, end);
                    const qint64 w = model.width(line.sliced(end, l));
                    if (end > p && (used + w > limit || words.anyAt(line, end)))
                        break;
                    used += w;
                    end += l;
                }
                if (opensComment(end)) {
                    const qsizetype back = charLengthBefore(units, end);
                    if (end - p > back) {
                        used -= model.width(line.sliced(end - back, back));
                        end -= back;
                    } else {
                        used += model.width(line.sliced(end, 1));
                        ++end;
                    }
                }
                out += line.sliced(p, end - p);
                cur = used;
                restWidth -= used;
                p = end;
                continue;
            }
        } else {
            // A word that ends inside a character (「か」 of a 「か」 with a
            // separate voicing mark) takes the whole character.
            len = units.endOf(p + len - 1) - p;
            if (opensComment(p + len))
                ++len;
        }
        const QStringView piece = line.sliced(p, len);
        const qint64 pieceWidth = model.width(piece);
        if (cur > 0 && cur + pieceWidth > limit)
            endOutputLine();
        out += piece;
        p += len;
        cur += pieceWidth;
        restWidth -= pieceWidth;
    }
    if (cur + restWidth > limit)
        endOutputLine();
    out += line.sliced(p);
    out += extra;
    return out;
}

QStringList reshapeRoll(const QStringList &lines, int limit, int chars, const ReshapeOptions &options,
                        const WordList *words, WidthModel &model)
{
    const QString extra = blankLineExtra(options);
    QStringList items;
    items.reserve(lines.size());
    std::optional<CaptionBreaker> breaker;
    if (options.rules.any())
        breaker.emplace(options.rules, words, model);
    // The analyser's reading of these very lines, when the words came with it.
    const MorphemeMap *morphemes = nullptr;
    if (breaker && words && !words->morphemes().isEmpty() && words->morphemes().covers(lines))
        morphemes = &words->morphemes();
    qint64 offset = 0;
    for (const QString &line : lines) {
        const qint64 at = offset;
        offset += line.size();
        // With the options the widths are what the screen shows: a ruby code
        // as wide as its base.
        const qint64 width = breaker ? shownWidth(line, model) : model.width(line);
        const bool reshape = (!IsCommentLine(line) || options.plasticComment) && width > limit;
        if (!reshape) {
            items.append(line + extra);
            continue;
        }
        if (breaker)
            items.append(breaker->reshapeLine(line, limit, extra,
                                              morphemes ? morphemes->codes(at, line.size()) : QByteArrayView()));
        else if (words)
            items.append(reshapeLineByWords(line, limit, *words, model, extra));
        else if (chars > 0)
            items.append(reshapeLineByChars(line, chars, extra));
        else
            items.append(reshapeLineByWidth(line, limit, model, extra));
    }
    return items;
}

QStringList joinAndBreakAtMarks(const QStringList &lines)
{
    const QString text = lines.join(QString());
    QStringList result;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'／' && text[i] != u'。')
            continue;
        // Before "<-" the break comes one character earlier, before the mark;
        // a line made of the mark alone is not broken there.
        const qsizetype cut = breakMakesComment(text, i + 1) ? i : i + 1;
        if (cut > start) {
            result.append(text.sliced(start, cut - start));
            start = cut;
        }
    }
    if (start < text.size())
        result.append(text.sliced(start));
    return result;
}

QString itemsToText(const QStringList &items)
{
    QString text;
    qsizetype size = 0;
    for (const QString &item : items)
        size += item.size() + 1;
    text.reserve(size);
    for (const QString &item : items) {
        text += item;
        text += u'\n';
    }
    return text;
}
