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
        if (p > 0)
            m_levels[size_t(p)] = m_rules.phrases ? jointLevel(before, role) : quint8(kBreakBetweenPhrases);
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

CaptionBreaker::Chosen CaptionBreaker::balanced(const Chosen &plain, qint64 limit)
{
    // The lines as even as the break places allow, at no cost: no more lines
    // than the plain fill, no break below its worst, no more shortfall from
    // the best level in all. Among those, the least sum of squared line
    // widths: 8/5/10 rather than 10/3/10. A shortest-path over the places a
    // break may go, each tried against the places a line's width away, so
    // the work grows with the line, not with its square.
    const qsizetype n = qsizetype(m_widths.size());
    if (m_rules.kinsoku)
        m_legal.find(m_line, m_legalAt);
    const auto levelOf = [&](qsizetype q) -> quint8 {
        const quint8 level = m_levels[size_t(q)];
        return (m_rules.kinsoku && !m_legalAt[size_t(q)] && level != kBreakNever) ? quint8(kBreakRuleBroken) : level;
    };
    std::vector<qint64> before(size_t(n) + 1, 0); // width of the text before each offset
    for (qsizetype q = 0; q < n; ++q)
        before[size_t(q) + 1] = before[size_t(q)] + std::max(m_widths[size_t(q)], 0);

    // The places: the line's start, every usable place no worse than the
    // plain fill's worst, the plain fill's own breaks, the line's end.
    std::vector<qsizetype> places{0};
    std::vector<qsizetype> plainNext; // per place: the index of the plain fill's next break, -1
    qsizetype b = 0;
    for (qsizetype q = 1; q < n; ++q) {
        const bool plainBreak = b < plain.breaks.size() && plain.breaks.at(b) == q;
        if (plainBreak)
            ++b;
        const quint8 level = levelOf(q);
        if (plainBreak || (m_widths[size_t(q)] != kInsideUnit && usable(level) && level >= plain.worst))
            places.push_back(q);
    }
    places.push_back(n);
    const qsizetype count = qsizetype(places.size());
    plainNext.assign(size_t(count), -1);
    {
        qsizetype from = 0; // index of the plain line start
        qsizetype k = 1;
        for (const qsizetype at : plain.breaks) {
            while (places[size_t(k)] != at)
                ++k;
            plainNext[size_t(from)] = k;
            from = k;
        }
        plainNext[size_t(from)] = count - 1;
    }

    struct Cost {
        qint64 lines = std::numeric_limits<qint64>::max();
        qint64 shortfall = 0;
        double squares = 0;
        qsizetype from = -1;
        bool operator<(const Cost &o) const
        {
            if (lines != o.lines)
                return lines < o.lines;
            if (shortfall != o.shortfall)
                return shortfall < o.shortfall;
            return squares < o.squares;
        }
    };
    std::vector<Cost> cost(static_cast<size_t>(count));
    cost[0] = {0, 0, 0, -1};
    const auto relax = [&](qsizetype k, qsizetype m, qint64 width) {
        const qsizetype at = places[size_t(m)];
        const quint8 level = at == n ? quint8(kBreakBetweenPhrases) : levelOf(at);
        const Cost &c = cost[size_t(k)];
        const Cost tried{c.lines + 1, c.shortfall + (kBreakBetweenPhrases - level),
                         c.squares + double(width) * double(width), k};
        // Among equals the later place: the longer lines come first.
        if (!(cost[size_t(m)] < tried))
            cost[size_t(m)] = tried;
    };
    for (qsizetype k = 0; k + 1 < count; ++k) {
        if (cost[size_t(k)].lines == std::numeric_limits<qint64>::max())
            continue;
        const qsizetype s = places[size_t(k)];
        const qint64 marker = (s > 0 && m_comment) ? m_markerWidth : 0;
        const qint64 room = limit - marker;
        const qsizetype oneEnd = unitEnd(s);
        bool fitted = false;
        for (qsizetype m = k + 1; m < count && m - k <= kMostTried; ++m) {
            const qsizetype at = places[size_t(m)];
            const qint64 width = before[size_t(at)] - before[size_t(s)];
            if (width > room)
                break;
            fitted = true;
            // No line of one unit, nor one unit left for the last line.
            if (at == oneEnd || (at == m_lastUnit && at != n))
                continue;
            relax(k, m, marker + width);
        }
        if (!fitted) // nothing fits: the nearest place, however wide
            relax(k, k + 1, marker + before[size_t(places[size_t(k) + 1])] - before[size_t(s)]);
        if (plainNext[size_t(k)] >= 0) {
            const qsizetype m = plainNext[size_t(k)];
            relax(k, m, marker + before[size_t(places[size_t(m)])] - before[size_t(s)]);
        }
    }
    const Cost &last = cost[size_t(count) - 1];
    if (last.from < 0 && count > 1)
        return plain;
    Chosen even;
    for (qsizetype m = count - 1; m > 0;) {
        const qsizetype k = cost[size_t(m)].from;
        if (m != count - 1)
            even.breaks.prepend(places[size_t(m)]);
        const qint64 marker = (k > 0 && m_comment) ? m_markerWidth : 0;
        even.widest = std::max(even.widest, marker + before[size_t(places[size_t(m)])] - before[size_t(places[size_t(k)])]);
        m = k;
    }
    for (const qsizetype at : std::as_const(even.breaks)) {
        const quint8 level = levelOf(at);
        even.shortfall += kBreakBetweenPhrases - level;
        even.worst = std::min(even.worst, level);
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
