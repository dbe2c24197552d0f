#include "reshape/Reshape.h"

#include "app/RollConventions.h"
#include "reshape/WidthModel.h"
#include "reshape/WordList.h"

namespace {

const QString kMarker = QStringLiteral("<-");

// UTF-16 units of the character at `pos` (2 for a surrogate pair).
qsizetype charLength(QStringView text, qsizetype pos)
{
    return (pos + 1 < text.size() && text[pos].isHighSurrogate() && text[pos + 1].isLowSurrogate()) ? 2 : 1;
}

} // namespace

QString reshapeLineByChars(QStringView line, int chars, QStringView extra)
{
    const bool comment = IsCommentLine(line.toString());
    if (chars < 1 || (comment && chars < 3))
        return line.toString().append(extra);
    QString out;
    qsizetype p = 0;
    qsizetype prefix = 0; // "<-" standing before line[p] on a comment continuation
    while (prefix + (line.size() - p) > chars) {
        qsizetype take = chars - prefix;
        // Never cut between the halves of a surrogate pair.
        if (line[p + take - 1].isHighSurrogate() && p + take < line.size() && line[p + take].isLowSurrogate())
            take = take > 1 ? take - 1 : 2;
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
    const int markerWidth = comment ? model.width(kMarker) : 0;
    QString out;
    qsizetype p = 0;
    bool prefixed = false;
    int restWidth = model.width(line);
    // The marker alone may be wider than the screen: stop once the line is used up.
    while (restWidth > limit && p < line.size()) {
        // The longest start that fits; at least one character of the line.
        int used = prefixed ? markerWidth : 0;
        qsizetype end = p;
        while (end < line.size()) {
            const qsizetype len = charLength(line, end);
            const int w = model.width(line.sliced(end, len));
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
    QString out;
    int cur = 0;
    qsizetype p = 0;
    int restWidth = model.width(line);
    const auto endOutputLine = [&] {
        out += u'\n';
        out += comment ? QStringView(kMarker) : extra;
        cur = 0;
    };
    while (restWidth > limit) {
        const int room = limit - cur;
        qsizetype len = words.longestAt(line, p);
        if (len == 0) {
            // Is there a word that begins within the room?
            int before = 0;
            bool wordAhead = false;
            for (qsizetype q = p; q < line.size() && before < room; q += charLength(line, q)) {
                if (words.anyAt(line, q)) {
                    wordAhead = true;
                    break;
                }
                before += model.width(line.sliced(q, charLength(line, q)));
            }
            if (wordAhead) {
                len = charLength(line, p);
            } else {
                // Nothing to keep whole here: start a fresh line and move on
                // what fits of the text before the next word.
                if (cur > 0)
                    endOutputLine();
                qsizetype end = p;
                int used = 0;
                while (end < line.size()) {
                    const qsizetype l = charLength(line, end);
                    const int w = model.width(line.sliced(end, l));
                    if (end > p && (used + w > limit || words.anyAt(line, end)))
                        break;
                    used += w;
                    end += l;
                }
                out += line.sliced(p, end - p);
                cur = used;
                restWidth -= used;
                p = end;
                continue;
            }
        }
        const QStringView piece = line.sliced(p, len);
        const int pieceWidth = model.width(piece);
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
    for (const QString &line : lines) {
        const bool reshape = (!IsCommentLine(line) || options.plasticComment) && model.width(line) > limit;
        if (!reshape) {
            items.append(line + extra);
            continue;
        }
        if (words)
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
    QString text;
    for (const QString &line : lines) {
        for (const QChar c : line) {
            text += c;
            if (c == u'／' || c == u'。')
                text += u'\n';
        }
    }
    QStringList result = text.split(u'\n');
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
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
