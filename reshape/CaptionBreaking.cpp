#include "reshape/CaptionBreaking.h"

#include "reshape/CodePoints.h"
#include "reshape/MorphemeMap.h"
#include "reshape/PhraseRoles.h"
#include "reshape/TextUnits.h"
#include "reshape/WidthModel.h"
#include "reshape/WordList.h"
#include "roll/FlagHold.h"
#include "roll/RollConventions.h"

#include <algorithm>
#include <limits>

namespace {

const QString kMarker = QStringLiteral("<-");
constexpr qint32 kInsideUnit = -1; // width entry of a unit's later offsets

qsizetype unitsOf(char32_t c)
{
    return c > 0xFFFF ? 2 : 1;
}

// Lines tried from one place when evening out a line: far more than a line
// holds, few enough that a run of characters of no width stays linear.
constexpr qsizetype kMostTried = 4096;
// The cost of the best way found to a place when evening out a line: in
// this order, lines, shortfall from the best level, squared line widths.
struct Cost {
    qint32 lines = std::numeric_limits<qint32>::max();
    qint32 from = -1; // the place the last line starts at
    qint64 shortfall = 0;
    double squares = 0;
    bool operator<(const Cost &o) const
    {
        if (lines != o.lines)
            return lines < o.lines;
        if (shortfall != o.shortfall)
            return shortfall < o.shortfall;
        return squares < o.squares;
    }
};

// What evening out a line works in, kept from line to line.
struct EvenOutSpace {
    std::vector<qsizetype> places;
    std::vector<qint64> at;
    std::vector<quint8> shortOf;
    std::vector<qsizetype> plainNext;
    std::vector<Cost> cost;
};

EvenOutSpace &evenOutSpace()
{
    thread_local EvenOutSpace space;
    return space;
}

// Caption lines evened out together; a longer line is taken this many at a time.
constexpr qsizetype kLinesEvenedTogether = 32;
// From this length on a line has the rules' verdict on every place at once.
constexpr qsizetype kWholePass = 4096;

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
    // 「三十六」 is one number, whatever the analyser made of its numerals.
    if (before == PhraseRole::Number && after == PhraseRole::Number)
        return kBreakInsideWord;
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
    m_widths.assign(size_t(n), kInsideUnit);
    const TextUnits units(line);
    QString shown;
    for (qsizetype p = 0; p < n;) {
        const qsizetype end = units.endOf(p);
        if (!units.hasRuby()) {
            m_widths[size_t(p)] = qint32(m_model.width(line.sliced(p, end - p)));
        } else {
            shown.clear();
            for (qsizetype q = p; q < end; ++q) {
                if (!units.hiddenAt(q))
                    shown += line[q];
            }
            m_widths[size_t(p)] = shown.isEmpty() ? 0 : qint32(m_model.width(shown));
        }
        p = end;
    }
    m_lastUnit = n > 0 ? units.startOf(n - 1) : 0;
}

qsizetype CaptionBreaker::unitEnd(qsizetype p) const
{
    const qsizetype n = qsizetype(m_widths.size());
    ++p;
    while (p < n && m_widths[size_t(p)] == kInsideUnit)
        ++p;
    return p;
}

bool CaptionBreaker::usable(quint8 level) const
{
    // With the rules asked for, a place against them is no choice at all: a
    // line too long for the screen is better than one that breaks a rule.
    return level != kBreakNever && !(m_rules.kinsoku && level == kBreakRuleBroken);
}

void CaptionBreaker::classifyWords(QStringView line)
{
    // The line cut into units as the word check cuts it (the longest listed
    // word first), with Latin runs whole.
    const qsizetype n = line.size();
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
}

bool CaptionBreaker::classifyMorphemes(QStringView line, QByteArrayView morphemes)
{
    const qsizetype n = line.size();
    if (morphemes.size() != n || n == 0 || morphemes.contains(char(MorphemeMap::kUnread)))
        return false;
    // Each morpheme in the order the analyser read the line, with the role
    // it plays in its phrase.
    PhraseRole before = PhraseRole::Content;
    PhraseRole head = PhraseRole::Content; // the first morpheme of the phrase so far
    bool doubleQuoteOpen = false;
    for (qsizetype p = 0; p < n; ++p) {
        const quint8 code = quint8(morphemes[p]);
        if (!(code & MorphemeMap::kStart)) {
            if (p > 0)
                m_levels[size_t(p)] = kBreakInsideWord;
            continue;
        }
        PhraseRole role = MorphemeMap::roleOf(code);
        // Straight quotes do not say which way they face: 「"」 alternate
        // within a line, 「'」 opens after a blank or at the start.
        if (line[p] == u'"') {
            doubleQuoteOpen = !doubleQuoteOpen;
            role = doubleQuoteOpen ? PhraseRole::Opening : PhraseRole::Closing;
        } else if (line[p] == u'\'') {
            const bool opens = p == 0 || line[p - 1].isSpace() || before == PhraseRole::Opening;
            role = opens ? PhraseRole::Opening : PhraseRole::Closing;
        }
        if (p > 0) {
            quint8 level = m_rules.phrases ? jointLevel(before, role) : quint8(kBreakBetweenPhrases);
            // 「お渡しする」「ご案内します」: after an honorific prefix and its
            // word, 「する」 belongs to the phrase as after a verbal noun.
            if (m_rules.phrases && role == PhraseRole::Suru && head == PhraseRole::Prefix
                && level == kBreakBetweenPhrases)
                level = kBreakAfterContent;
            m_levels[size_t(p)] = level;
            if (level == kBreakBetweenPhrases)
                head = role;
        } else {
            head = role;
        }
        before = role;
    }
    // The analyser reads Latin words letter by letter: a run is one word.
    for (qsizetype p = 0; p < n;) {
        if (!isLatinOrDigit(line[p].unicode())) {
            ++p;
            continue;
        }
        const qsizetype run = latinRunLength(line, p);
        for (qsizetype q = p + 1; q < p + run; ++q)
            m_levels[size_t(q)] = kBreakInsideWord;
        p += std::max<qsizetype>(run, 1);
    }
    return true;
}

void CaptionBreaker::classify(QStringView line, bool everyLegality, QByteArrayView morphemes)
{
    const qsizetype n = line.size();
    m_levels.assign(size_t(n) + 1, kBreakNever);
    if (classifyMorphemes(line, morphemes)) {
        // The user's own words stay whole wherever they are.
        if (m_words && m_words->hasCustomWords()) {
            for (qsizetype p = 0; p < n;) {
                const qsizetype len = m_words->longestCustomAt(line, p);
                for (qsizetype q = p + 1; q < p + len; ++q)
                    m_levels[size_t(q)] = kBreakInsideWord;
                p += std::max<qsizetype>(len, 1);
            }
        }
        if (m_rules.phrases && m_quotesWhole)
            keepQuotesTogether(line);
    } else if (m_words) {
        classifyWords(line);
        if (m_rules.phrases && m_quotesWhole)
            keepQuotesTogether(line);
    } else if (n > 1) {
        std::fill(m_levels.begin() + 1, m_levels.end() - 1, quint8(kBreakBetweenPhrases));
    }
    m_legalState.assign(size_t(n) + 1, 0);
    if (m_rules.kinsoku && everyLegality) {
        m_legal.find(line, m_legalAt);
        for (qsizetype q = 1; q < n; ++q) {
            if (!m_legalAt[size_t(q)] && m_levels[size_t(q)] != kBreakNever)
                m_levels[size_t(q)] = kBreakRuleBroken;
        }
    } else if (m_rules.kinsoku) {
        m_legal.setText(line);
    }
    // Never inside a unit (a character with its marks, a ruby code with the
    // start of its base); never where a caption line's rest would begin with
    // "<-" and turn into a comment, nor inside a comment's own mark.
    for (qsizetype q = 1; q < n; ++q) {
        if (m_widths[size_t(q)] == kInsideUnit)
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
    if (s >= n)
        return {n, 0, true};
    while (true) {
        const qsizetype oneEnd = unitEnd(s);
        // A line of one unit, or a break that leaves one unit for the last
        // line: only where nothing else fits.
        qsizetype lone = -1;
        quint8 loneLevel = kBreakNever;
        qint64 loneWidth = 0;
        qsizetype far = -1; // the best place that fits, the latest among equals
        quint8 farLevel = kBreakNever;
        qint64 farWidth = 0;
        qsizetype next = -1; // the best place after it
        quint8 nextLevel = kBreakNever;
        qint64 nextWidth = 0;
        qint64 w = 0;
        for (qsizetype q = s; q < n;) {
            w += m_widths[size_t(q)];
            q = unitEnd(q);
            if (w > room)
                break;
            if (q == n)
                return {n, w, true};
            const quint8 level = levelAt(q);
            if (!usable(level))
                continue;
            if (q == oneEnd || q == m_lastUnit) {
                if (level >= loneLevel) {
                    lone = q;
                    loneLevel = level;
                    loneWidth = w;
                }
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
        Pick chosen;
        if (far >= 0) {
            chosen = {far, farWidth, false};
            // A phrase too wide for any line is broken anyway: its first part
            // may as well fill this line. (It would start a continuation line.)
            if (next >= 0 && nextLevel >= kBreakAfterContent && farLevel == kBreakBetweenPhrases
                && phraseWiderThan(far, s == 0 && m_comment ? room - m_markerWidth : room))
                chosen = {next, nextWidth, false};
        } else if (lone >= 0) {
            chosen = {lone, loneWidth, false};
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
                while (q < n && (m_levels[size_t(q)] == kBreakNever || m_widths[size_t(q)] == kInsideUnit))
                    q = m_legal.following(q);
            } else {
                while (q < n && m_levels[size_t(q)] == kBreakNever)
                    q = unitEnd(q);
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
        q = unitEnd(q);
        if (w > room || q == n)
            break;
        const quint8 level = m_levels[size_t(q)];
        if (level < kBreakInsidePhrase || level < bestLevel || q == m_lastUnit || q == unitEnd(s))
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

QList<qsizetype> CaptionBreaker::evenOut(qsizetype from, qsizetype to, QSpanOfBreaks plainBreaks, qint64 limit,
                                         quint8 worst)
{
    // A shortest path over the places a break may go between `from` and
    // `to` (both fixed), each tried against the places a line's width away,
    // so the work grows with the text, not with its square. The cost is, in
    // this order: lines, shortfall from the best level, the sum of squared
    // line widths. The plain fill's own path is always open, so the result
    // is never worse than it.
    const qsizetype n = qsizetype(m_widths.size());
    // Reused from line to line: most lines are short, and their fixed costs show.
    EvenOutSpace &space = evenOutSpace();
    std::vector<qsizetype> &places = space.places;
    std::vector<qint64> &at = space.at; // width from `from` to the place
    std::vector<quint8> &shortOf = space.shortOf;
    std::vector<qsizetype> &plainNext = space.plainNext; // per place: the index of the plain fill's next break, -1
    places.assign(1, from);
    at.assign(1, 0);
    shortOf.assign(1, 0);
    qint64 w = 0;
    qsizetype b = 0;
    for (qsizetype q = from; q < to;) {
        w += std::max(m_widths[size_t(q)], 0);
        ++q;
        if (q == to)
            break;
        const bool plainBreak = b < qsizetype(plainBreaks.size()) && plainBreaks[size_t(b)] == q;
        if (plainBreak)
            ++b;
        if (m_widths[size_t(q)] == kInsideUnit && !plainBreak)
            continue;
        const quint8 level = balanceLevel(q, worst);
        if (plainBreak || (usable(level) && level >= worst)) {
            places.push_back(q);
            at.push_back(w);
            shortOf.push_back(quint8(kBreakBetweenPhrases - level));
        }
    }
    places.push_back(to);
    at.push_back(w);
    shortOf.push_back(0);
    const qsizetype count = qsizetype(places.size());
    plainNext.assign(size_t(count), -1);
    {
        qsizetype start = 0; // index of the plain line start
        qsizetype k = 1;
        for (const qsizetype q : plainBreaks) {
            while (places[size_t(k)] != q)
                ++k;
            plainNext[size_t(start)] = k;
            start = k;
        }
        plainNext[size_t(start)] = count - 1;
    }

    std::vector<Cost> &cost = space.cost;
    cost.assign(static_cast<size_t>(count), Cost{});
    cost[0] = {0, -1, 0, 0};
    const auto relax = [&](qsizetype k, qsizetype m, qint64 width) {
        const Cost &c = cost[size_t(k)];
        const Cost tried{c.lines + 1, qint32(k), c.shortfall + shortOf[size_t(m)],
                         c.squares + double(width) * double(width)};
        // Among equals the later place: the longer lines come first.
        if (!(cost[size_t(m)] < tried))
            cost[size_t(m)] = tried;
    };
    for (qsizetype k = 0; k + 1 < count; ++k) {
        if (cost[size_t(k)].lines == std::numeric_limits<qint32>::max())
            continue;
        const qsizetype s = places[size_t(k)];
        const qint64 marker = (s > 0 && m_comment) ? m_markerWidth : 0;
        const qint64 room = limit - marker;
        const qsizetype oneEnd = unitEnd(s);
        // The farthest place that fits, then back: a line less than half
        // full is tried only when no fuller one fits, as it evens nothing out.
        const auto first = at.begin() + k + 1;
        const auto last = at.begin() + std::min(count, k + 1 + kMostTried);
        const qsizetype fits = (std::upper_bound(first, last, at[size_t(k)] + room) - at.begin()) - 1;
        if (fits <= k) { // nothing fits: the nearest place, however wide
            relax(k, k + 1, marker + at[size_t(k) + 1] - at[size_t(k)]);
        } else {
            bool tried = false;
            for (int pass = 0; pass < 2 && !tried; ++pass) {
                for (qsizetype m = fits; m > k; --m) {
                    const qint64 width = at[size_t(m)] - at[size_t(k)];
                    if (pass == 0 && 2 * width < room)
                        break;
                    // No line of one unit, nor one unit left for the last line.
                    const qsizetype q = places[size_t(m)];
                    if (q == oneEnd || (q == m_lastUnit && q != n))
                        continue;
                    relax(k, m, marker + width);
                    tried = true;
                }
            }
        }
        if (plainNext[size_t(k)] >= 0) {
            const qsizetype m = plainNext[size_t(k)];
            relax(k, m, marker + at[size_t(m)] - at[size_t(k)]);
        }
    }
    QList<qsizetype> breaks;
    const Cost &end = cost[size_t(count) - 1];
    if (end.lines == std::numeric_limits<qint32>::max())
        return {plainBreaks.begin(), plainBreaks.end()};
    qint64 shortfall = 0;
    for (qsizetype m = cost[size_t(count) - 1].from; m > 0; m = cost[size_t(m)].from)
        breaks.prepend(places[size_t(m)]);
    for (qsizetype m = 1; m + 1 < count; ++m) {
        if (std::binary_search(breaks.cbegin(), breaks.cend(), places[size_t(m)]))
            shortfall += shortOf[size_t(m)];
    }
    qint64 plainShortfall = 0;
    for (const qsizetype q : plainBreaks)
        plainShortfall += kBreakBetweenPhrases - balanceLevel(q, worst);
    if (breaks.size() > qsizetype(plainBreaks.size()) || shortfall > plainShortfall)
        return {plainBreaks.begin(), plainBreaks.end()};
    return breaks;
}

quint8 CaptionBreaker::balanceLevel(qsizetype q, quint8 worst)
{
    const quint8 level = m_levels[size_t(q)];
    if (!m_rules.kinsoku || level == kBreakNever)
        return level;
    if (!m_legalAt.empty())
        return m_legalAt[size_t(q)] ? level : quint8(kBreakRuleBroken);
    // Places below the worst are never tried: no need to ask the rules.
    if (level < worst)
        return level;
    return checkLegal(q) ? level : quint8(kBreakRuleBroken);
}

CaptionBreaker::Chosen CaptionBreaker::balanced(const Chosen &plain, qint64 limit)
{
    // The lines as even as the break places allow, at no cost: no more lines
    // than the plain fill, no break below its worst, no more shortfall from
    // the best level. Among those, the least sum of squared line widths:
    // 8/5/10 rather than 10/3/10. A long line is evened out a few caption
    // lines at a time, between breaks of the plain fill: the screen shows a
    // few lines at once, and a stretch of lines each as full as it can be is
    // even already.
    const qsizetype n = qsizetype(m_widths.size());
    // Inside a long line one pass of the rules over it costs less than
    // asking place by place; a short line asks only about what it tries.
    m_legalAt.clear();
    if (m_rules.kinsoku && n > kWholePass)
        m_legal.find(m_line, m_legalAt);
    const QList<qsizetype> &pb = plain.breaks;
    const qsizetype lines = pb.size() + 1;
    const auto lineStart = [&](qsizetype i) { return i == 0 ? qsizetype(0) : pb.at(i - 1); };
    const auto lineEnd = [&](qsizetype i) { return i + 1 < lines ? pb.at(i) : n; };
    Chosen even;
    for (qsizetype seg = 0; seg < lines; seg += kLinesEvenedTogether) {
        const qsizetype segLines = std::min(kLinesEvenedTogether, lines - seg);
        const qsizetype from = lineStart(seg);
        const qsizetype to = lineEnd(seg + segLines - 1);
        const QSpanOfBreaks inside(pb.constData() + seg, size_t(segLines - 1));
        // Lines each too full to take the next unit: nothing to even out.
        bool full = to < n;
        for (qsizetype i = seg; i < seg + segLines && full; ++i) {
            const qsizetype a = lineStart(i), z = lineEnd(i);
            qint64 w = (a > 0 && m_comment) ? m_markerWidth : 0;
            for (qsizetype q = a; q < z; ++q)
                w += std::max(m_widths[size_t(q)], 0);
            full = z < n && w + m_widths[size_t(z)] > limit;
        }
        const QList<qsizetype> breaks = full ? QList<qsizetype>(inside.begin(), inside.end())
                                             : evenOut(from, to, inside, limit, plain.worst);
        even.breaks += breaks;
        if (to < n)
            even.breaks.append(to);
    }
    qsizetype from = 0;
    for (qsizetype i = 0; i <= even.breaks.size(); ++i) {
        const qsizetype to = i < even.breaks.size() ? even.breaks.at(i) : n;
        qint64 w = (from > 0 && m_comment) ? m_markerWidth : 0;
        for (qsizetype q = from; q < to; ++q)
            w += std::max(m_widths[size_t(q)], 0);
        even.widest = std::max(even.widest, w);
        if (i < even.breaks.size()) {
            const quint8 level = balanceLevel(to, plain.worst);
            even.shortfall += kBreakBetweenPhrases - level;
            even.worst = std::min(even.worst, level);
        }
        from = to;
    }
    if (even.breaks.size() > plain.breaks.size() || even.shortfall > plain.shortfall || even.worst < plain.worst)
        return plain;
    return even;
}

CaptionBreaker::Chosen CaptionBreaker::choose(QStringView line, qint64 limit, QByteArrayView morphemes)
{
    m_comment = IsCommentLine(line);
    m_line = line;
    measure(line);
    classify(line, false, morphemes);
    Chosen plain = fill(limit);
    if (!m_rules.balance || plain.breaks.isEmpty())
        return plain;
    return balanced(plain, limit);
}

QList<qsizetype> CaptionBreaker::breaksOf(QStringView line, qint64 limit, QByteArrayView morphemes)
{
    return choose(line, limit, morphemes).breaks;
}

const std::vector<quint8> &CaptionBreaker::levelsOf(QStringView line, bool quotesWhole, QByteArrayView morphemes)
{
    const FlagHold quotes(m_quotesWhole, quotesWhole);
    m_comment = IsCommentLine(line);
    m_line = line;
    measure(line);
    classify(line, true, morphemes);
    return m_levels;
}

QString CaptionBreaker::reshapeLine(QStringView line, qint64 limit, QStringView extra, QByteArrayView morphemes)
{
    const QList<qsizetype> breaks = choose(line, limit, morphemes).breaks;
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
