#include "reshape/CaptionBreaking.h"

#include "reshape/CodePoints.h"
#include "reshape/PhraseRoles.h"
#include "reshape/WidthModel.h"
#include "reshape/WordList.h"
#include "roll/FlagHold.h"
#include "roll/RollConventions.h"

#include <algorithm>

namespace {

const QString kMarker = QStringLiteral("<-");
constexpr qint32 kSecondHalf = -1; // width entry of a surrogate pair's second unit



qsizetype unitsOf(char32_t c)
{
    return c > 0xFFFF ? 2 : 1;
}

// A run of Latin letters and digits, with a point or comma between digits
// ("3.14", "1,000"), from `pos`; its length in UTF-16 units.
qsizetype latinRunLength(QStringView text, qsizetype pos)
{
    qsizetype end = pos;
    while (end < text.size()) {
        const char16_t c = text[end].unicode();
        if (isLatinOrDigit(c)) {
            ++end;
            continue;
        }
        const bool separator = c == u'.' || c == u',' || c == u'．' || c == u'，';
        if (separator && end > pos && end + 1 < text.size() && text[end - 1].isDigit() && text[end + 1].isDigit()) {
            ++end;
            continue;
        }
        break;
    }
    return end - pos;
}

quint8 jointLevel(PhraseRole before, PhraseRole after)
{
    // A phrase's own brackets and stops stay with it as the line-break rules
    // would keep them, even when those rules are not asked for.
    if (before == PhraseRole::Opening || after == PhraseRole::Closing)
        return kBreakRuleBroken;
    switch (phraseJoint(before, after)) {
    case PhraseJoint::Between:
        return kBreakBetweenPhrases;
    case PhraseJoint::Compound:
        return kBreakInCompound;
    case PhraseJoint::Inside:
        break;
    }
    if (before == PhraseRole::VerbalNoun && after == PhraseRole::Suru)
        return kBreakAfterContent;
    if (after == PhraseRole::Dependent && before != PhraseRole::Dependent && before != PhraseRole::Closing)
        return kBreakAfterContent;
    return kBreakInsidePhrase;
}

} // namespace

CaptionBreaker::CaptionBreaker(const BreakRules &rules, const WordList *words, WidthModel &model)
    : m_rules(rules), m_words(words), m_model(model)
{
    m_markerWidth = m_model.width(kMarker);
}

void CaptionBreaker::measure(QStringView line)
{
    const qsizetype n = line.size();
    m_widths.assign(size_t(n), 0);
    for (qsizetype p = 0; p < n;) {
        const qsizetype len = unitsOf(codePointAt(line, p));
        m_widths[size_t(p)] = qint32(m_model.width(line.sliced(p, len)));
        if (len == 2)
            m_widths[size_t(p + 1)] = kSecondHalf;
        p += len;
    }
}

void CaptionBreaker::classify(QStringView line, bool everyLegality)
{
    const qsizetype n = line.size();
    m_levels.assign(size_t(n) + 1, kBreakNever);
    if (!m_words) {
        if (n > 1)
            std::fill(m_levels.begin() + 1, m_levels.end() - 1, quint8(kBreakBetweenPhrases));
    } else {
        // The line cut into units as the word check cuts it (the longest
        // listed word first), with Latin runs whole.
        PhraseRole before = PhraseRole::Content;
        for (qsizetype p = 0; p < n;) {
            const WordList::Match match = m_words->matchAt(line, p);
            qsizetype len = match.length;
            PhraseRole role = match.role;
            const char32_t c = codePointAt(line, p);
            if (isLatinOrDigit(c)) {
                // The analyser lists Latin words letter by letter: the run is the unit.
                const qsizetype run = latinRunLength(line, p);
                if (run > len) {
                    len = run;
                    role = PhraseRole::Noun;
                }
            } else if (len == 0) {
                len = unitsOf(c);
                role = phraseRoleOfCharacter(c);
            }
            if (p > 0)
                m_levels[size_t(p)] = m_rules.phrases ? jointLevel(before, role) : quint8(kBreakBetweenPhrases);
            for (qsizetype q = p + 1; q < p + len; ++q)
                m_levels[size_t(q)] = kBreakInsideWord;
            before = role;
            p += len;
        }
        if (m_rules.phrases && m_quotesWhole)
            keepQuotesTogether(line);
    }
    m_legalState.assign(size_t(n) + 1, 0);
    if (m_rules.kinsoku && everyLegality) {
        m_legal.find(line, m_legalAt);
        for (qsizetype q = 1; q < n; ++q) {
            if (!m_legalAt[size_t(q)] && m_levels[size_t(q)] > kBreakRuleBroken)
                m_levels[size_t(q)] = kBreakRuleBroken;
        }
    } else if (m_rules.kinsoku) {
        m_legal.setText(line);
    }
    // Never inside a character; never where a caption line's rest would
    // begin with "<-" and turn into a comment, nor inside a comment's own mark.
    for (qsizetype q = 1; q < n; ++q) {
        if (m_widths[size_t(q)] == kSecondHalf)
            m_levels[size_t(q)] = kBreakNever;
        else if (!m_comment && line[q] == u'<' && q + 1 < n && line[q + 1] == u'-')
            m_levels[size_t(q)] = kBreakNever;
    }
    if (m_comment) {
        for (qsizetype q = 1; q <= std::min<qsizetype>(2, n); ++q)
            m_levels[size_t(q)] = kBreakNever;
    }
}

void CaptionBreaker::keepQuotesTogether(QStringView line)
{
    // Inside a pair of brackets or quotes (「地域の防災」) a phrase boundary
    // counts as little as one inside a compound: the quote goes down whole
    // when it fits a line. Only pairs closed within the line count, as a
    // running total over the places (a stack of the openings finds the pairs).
    const qsizetype n = line.size();
    std::vector<qint32> opens;
    std::vector<qint32> depth(size_t(n) + 2, 0);
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = line[i].unicode();
        if (c >= 0x3040 && c <= 0x9FFF) // kana and kanji, most of a roll
            continue;
        const QChar::Category category = QChar::category(char32_t(c));
        if (category == QChar::Punctuation_Open) {
            opens.push_back(qint32(i));
        } else if (category == QChar::Punctuation_Close && !opens.empty()) {
            ++depth[size_t(opens.back()) + 1];
            --depth[size_t(i) + 1];
            opens.pop_back();
        }
    }
    qint32 inside = 0;
    for (qsizetype q = 1; q < n; ++q) {
        inside += depth[size_t(q)];
        if (inside > 0 && m_levels[size_t(q)] == kBreakBetweenPhrases)
            m_levels[size_t(q)] = kBreakInCompound;
    }
}

bool CaptionBreaker::phraseWiderThan(qsizetype from, qint64 room) const
{
    const qsizetype n = qsizetype(m_widths.size());
    qint64 w = 0;
    for (qsizetype q = from; q < n; ++q) {
        if (q > from && m_levels[size_t(q)] == kBreakBetweenPhrases)
            return false;
        w += std::max(m_widths[size_t(q)], 0);
        if (w > room)
            return true;
    }
    return false;
}

quint8 CaptionBreaker::levelAt(qsizetype q) const
{
    return m_legalState[size_t(q)] == 2 ? quint8(kBreakRuleBroken) : m_levels[size_t(q)];
}

bool CaptionBreaker::checkLegal(qsizetype q)
{
    quint8 &state = m_legalState[size_t(q)];
    if (state == 0)
        state = m_legal.isLegal(q) ? 1 : 2;
    return state == 1;
}

CaptionBreaker::Pick CaptionBreaker::pick(qsizetype s, qint64 room)
{
    const qsizetype n = qsizetype(m_widths.size());
    const auto charEnd = [&](qsizetype p) {
        ++p;
        while (p < n && m_widths[size_t(p)] == kSecondHalf)
            ++p;
        return p;
    };
    // With the rules asked for, a place against them is no choice at all: a
    // line too long for the screen is better than one that breaks a rule.
    const quint8 lowest = m_rules.kinsoku ? quint8(kBreakInsideWord) : quint8(kBreakRuleBroken);
    if (s >= n)
        return {n, 0, true};
    while (true) {
        const qsizetype oneEnd = charEnd(s);
        quint8 oneLevel = kBreakNever;
        qint64 oneWidth = 0;
        qsizetype far = -1; // the best place that fits, the latest among equals
        quint8 farLevel = kBreakNever;
        qint64 farWidth = 0;
        qsizetype next = -1; // the best place after it
        quint8 nextLevel = kBreakNever;
        qint64 nextWidth = 0;
        qint64 w = 0;
        for (qsizetype q = s; q < n;) {
            w += m_widths[size_t(q)];
            q = charEnd(q);
            if (w > room)
                break;
            if (q == n)
                return {n, w, true};
            const quint8 level = levelAt(q);
            if (level < lowest)
                continue;
            if (q == oneEnd) {
                oneLevel = level;
                oneWidth = w;
            } else if (level >= farLevel) {
                far = q;
                farLevel = level;
                farWidth = w;
                next = -1;
                nextLevel = kBreakNever;
            } else if (level >= nextLevel) {
                next = q;
                nextLevel = level;
                nextWidth = w;
            }
        }
        // A line of one character only where nothing at least as good, or
        // nothing that keeps the words whole, fits.
        Pick chosen;
        if (far >= 0 && (farLevel >= kBreakAfterContent || farLevel >= oneLevel)) {
            chosen = {far, farWidth, false};
            // A phrase too wide for any line is broken anyway: its first part
            // may as well fill this line. (It would start a continuation line.)
            if (next >= 0 && nextLevel >= kBreakAfterContent && farLevel == kBreakBetweenPhrases
                && phraseWiderThan(far, s == 0 && m_comment ? room - m_markerWidth : room))
                chosen = {next, nextWidth, false};
        } else if (oneLevel != kBreakNever) {
            chosen = {oneEnd, oneWidth, false};
        } else {
            if (m_rules.kinsoku) {
                const Pick loose = looseFit(s, room);
                if (loose.at >= 0)
                    return loose;
            }
            // Nothing fits: the first place a break may go at all, however wide.
            qsizetype q = oneEnd;
            if (m_rules.kinsoku) {
                q = m_legal.following(s);
                while (q < n && m_levels[size_t(q)] == kBreakNever)
                    q = m_legal.following(q);
            } else {
                while (q < n && m_levels[size_t(q)] == kBreakNever)
                    q = charEnd(q);
            }
            qint64 over = 0;
            for (qsizetype p = s; p < q; ++p)
                over += std::max(m_widths[size_t(p)], 0);
            return {q, over, q >= n};
        }
        if (!m_rules.kinsoku || checkLegal(chosen.at))
            return chosen;
        // Against the rules after all: look again without it.
    }
}

CaptionBreaker::Pick CaptionBreaker::looseFit(qsizetype s, qint64 room) const
{
    // The library's rules also keep whole what Latin text keeps whole
    // ("Acquire::http::Proxy", "user@example.org"); where a run of such text
    // is wider than the screen, a break between its words that keeps the
    // Japanese rules still beats a line the screen cannot hold.
    const qsizetype n = qsizetype(m_widths.size());
    Pick best;
    quint8 bestLevel = kBreakNever;
    qint64 w = 0;
    for (qsizetype q = s; q < n;) {
        w += std::max(m_widths[size_t(q)], 0);
        ++q;
        while (q < n && m_widths[size_t(q)] == kSecondHalf)
            ++q;
        if (w > room || q == n)
            break;
        const quint8 level = m_levels[size_t(q)];
        if (level < kBreakInsidePhrase || level < bestLevel)
            continue;
        const char32_t before = codePointBefore(m_line, q);
        const char32_t after = codePointAt(m_line, q);
        if (phraseRoleOfCharacter(after) == PhraseRole::Closing || phraseRoleOfCharacter(before) == PhraseRole::Opening
            || (isLatinOrDigit(before) && isLatinOrDigit(after)))
            continue;
        best = {q, w, false};
        bestLevel = level;
    }
    return best;
}

CaptionBreaker::Chosen CaptionBreaker::fill(qint64 cap)
{
    Chosen chosen;
    qsizetype s = 0;
    while (true) {
        const qint64 prefix = (s > 0 && m_comment) ? m_markerWidth : 0;
        const Pick p = pick(s, cap - prefix);
        chosen.widest = std::max(chosen.widest, prefix + p.width);
        if (p.last)
            return chosen;
        const quint8 level = levelAt(p.at);
        chosen.breaks.append(p.at);
        chosen.shortfall += kBreakBetweenPhrases - level;
        chosen.worst = std::min(chosen.worst, level);
        s = p.at;
    }
}

CaptionBreaker::Chosen CaptionBreaker::choose(QStringView line, qint64 limit)
{
    m_comment = IsCommentLine(line);
    m_line = line;
    measure(line);
    classify(line, false);
    Chosen best = fill(limit);
    if (!m_rules.balance || best.breaks.isEmpty())
        return best;
    // The narrowest screen on which the same breaks, no worse ones, give no
    // more lines: its lines are as even as the break places allow.
    const qsizetype lines = best.breaks.size() + 1;
    qint64 total = 0;
    for (const qint32 w : m_widths)
        total += std::max(w, 0);
    if (m_comment)
        total += (lines - 1) * m_markerWidth;
    qint64 lo = std::max<qint64>(1, (total + lines - 1) / lines);
    qint64 hi = best.widest;
    Chosen balanced = best;
    while (lo < hi) {
        const qint64 mid = lo + (hi - lo) / 2;
        Chosen tried = fill(mid);
        const bool asGood = tried.breaks.size() <= best.breaks.size() && tried.shortfall <= best.shortfall
            && tried.worst >= best.worst && tried.widest <= best.widest;
        if (asGood) {
            hi = mid;
            balanced = std::move(tried);
        } else {
            lo = mid + 1;
        }
    }
    return balanced;
}

QList<qsizetype> CaptionBreaker::breaksOf(QStringView line, qint64 limit)
{
    return choose(line, limit).breaks;
}

const std::vector<quint8> &CaptionBreaker::levelsOf(QStringView line, bool quotesWhole)
{
    const FlagHold quotes(m_quotesWhole, quotesWhole);
    m_comment = IsCommentLine(line);
    m_line = line;
    measure(line);
    classify(line, true);
    return m_levels;
}

QString CaptionBreaker::reshapeLine(QStringView line, qint64 limit, QStringView extra)
{
    const QList<qsizetype> breaks = choose(line, limit).breaks;
    QString out;
    out.reserve(line.size() + breaks.size() * (1 + std::max<qsizetype>(extra.size(), kMarker.size())) + extra.size());
    qsizetype from = 0;
    for (const qsizetype at : breaks) {
        out += line.sliced(from, at - from);
        out += u'\n';
        out += m_comment ? QStringView(kMarker) : extra;
        from = at;
    }
    out += line.sliced(from);
    out += extra;
    return out;
}
