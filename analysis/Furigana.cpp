#include "analysis/Furigana.h"

#include "analysis/KanaMapping.h"
#include "analysis/KanjiLists.h"
#include "analysis/MorphemeRecord.h"
#include "platform/Cp932.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

// Letter case is ignored one UTF-16 unit at a time. The surfaces come from
// text the analyser read as Shift-JIS, which holds no supplementary letters.
char16_t folded(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A')) : u;
    // Kana, kanji and the scripts between them have no letter case: most of a
    // roll is looked up without asking the Unicode tables.
    if (u >= 0x3000 && u < 0xA640)
        return u;
    return c.isSurrogate() ? u : c.toCaseFolded().unicode();
}

bool isDoubleByteLead(uchar b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

enum class Script { Other, Kanji, Katakana, Hiragana };

Script scriptOf(QChar c)
{
    const char16_t u = c.unicode();
    if ((u >= 0x3400 && u <= 0x4DBF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF)
        || u == u'々' || u == u'〆' || c.isSurrogate())
        return Script::Kanji;
    if ((u >= 0x30A1 && u <= 0x30FE) || (u >= 0xFF66 && u <= 0xFF9F))
        return Script::Katakana;
    if ((u >= 0x3041 && u <= 0x3096) || u == u'ゝ' || u == u'ゞ')
        return Script::Hiragana;
    return Script::Other;
}

// The run of kanji, or of katakana, or of hiragana, that begins at `pos`
// (the prolonged sound mark goes on a hiragana run too).
qsizetype scriptRunLength(QStringView text, qsizetype pos)
{
    if (pos >= text.size())
        return 0;
    const Script kind = scriptOf(text[pos]);
    if (kind == Script::Other)
        return 0;
    qsizetype end = pos + 1;
    while (end < text.size()
           && (scriptOf(text[end]) == kind || (kind == Script::Hiragana && text[end] == u'ー')))
        ++end;
    return end - pos;
}

// Finds the next occurrence of something at or after a position, remembering
// it while the scan has not passed it: a line full of "`r" without "`s"
// would otherwise be searched again from every one of them.
template <typename Find>
class NextOccurrence {
public:
    explicit NextOccurrence(Find find) : m_find(find) {}
    qsizetype from(qsizetype pos)
    {
        if (m_at != -1 && m_at < pos)
            m_at = m_find(pos);
        return m_at;
    }

private:
    Find m_find;
    qsizetype m_at = -2; // not searched yet; -1: there is none
};

// A text written a few characters at a time: most pieces of a roll with
// furigana are a handful of characters, where QString::append's checks and
// calls cost as much as the scan that finds them; single characters go in
// without a call at all.
class TextWriter {
public:
    explicit TextWriter(qsizetype room) { grow(std::max<qsizetype>(room, 16)); }
    void put(QStringView piece)
    {
        makeRoom(piece.size());
        std::memcpy(m_data + m_used, piece.utf16(), size_t(piece.size()) * sizeof(char16_t));
        m_used += piece.size();
    }
    void put(char16_t c)
    {
        makeRoom(1);
        m_data[m_used++] = c;
    }
    QString take()
    {
        m_text.truncate(m_used);
        return std::move(m_text);
    }

private:
    void makeRoom(qsizetype more)
    {
        if (m_used + more > m_text.size())
            grow(std::max(m_used + more, m_text.size() + m_text.size() / 2));
    }
    void grow(qsizetype size)
    {
        m_text.resize(size);
        m_data = reinterpret_cast<char16_t *>(m_text.data());
    }

    QString m_text;
    char16_t *m_data = nullptr;
    qsizetype m_used = 0;
};

} // namespace

QString rubyCode(const QString &reading, const QString &base)
{
    return u"`r"_s + reading + u"`s"_s + base;
}

bool takesFurigana(const QStringList &record)
{
    return record.size() >= 4 && takesFurigana(record.at(0), record.at(3));
}

bool takesFurigana(QStringView surface, QStringView partOfSpeech)
{
    if (surface.isEmpty())
        return false;
    if (!partOfSpeech.startsWith(u"動詞-一般")
        && !(partOfSpeech.startsWith(u"名詞") && !partOfSpeech.contains(u"名詞-数")))
        return false;
    const qsizetype first = surface.size() > 1 && surface[0].isHighSurrogate() && surface[1].isLowSurrogate() ? 2 : 1;
    const QByteArray bytes = cp932Encode(surface.first(first));
    return bytes.size() == 2 && isDoubleByteLead(uchar(bytes[0]));
}

QString furiganaReading(QStringView katakanaReading)
{
    QString hiragana = katakanaToHiragana(katakanaReading);
    // Below 128 units it cannot pass 254 bytes.
    if (hiragana.size() > 127 && cp932Encode(hiragana).size() > 254)
        return {};
    return hiragana;
}

bool needsFurigana(QStringView word, int grade)
{
    if (grade <= 0)
        return true;
    for (const char32_t c : word.toUcs4()) {
        const bool kanji = c > 0xFFFF ? c >= 0x20000 && c <= 0x3FFFF : scriptOf(QChar(char16_t(c))) == Script::Kanji;
        // The iteration mark repeats the kanji before it, which answers for it.
        if (kanji && c != U'々' && !isTaughtByGrade(c, grade))
            return true;
    }
    return false;
}

int compareFuriganaEntries(const QString &a, const QString &b)
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Japanese, QLocale::Japan));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator.compare(a, b);
}

FuriganaDictionary FuriganaDictionary::fromMorphemeLines(const QStringList &lines, int grade)
{
    FuriganaDictionary dictionary(grade);
    // The fields as views: a list and a string for each field of every
    // record would cost more than the dictionary itself.
    std::array<QStringView, 4> fields;
    QStringList unquoted;
    for (const QString &line : lines) {
        unquoted.clear();
        if (recordFields(line, fields, unquoted) && takesFurigana(fields[0], fields[3]))
            dictionary.add(fields[0].toString(), furiganaReading(fields[2]));
    }
    return dictionary;
}

void FuriganaDictionary::add(const QString &surface, const QString &reading)
{
    if (surface.isEmpty())
        return;
    m_maxLength = std::max(m_maxLength, surface.size());
    qint32 node = 0;
    for (const QChar c : surface) {
        const char16_t f = folded(c);
        const qint32 found = child(node, f);
        if (found >= 0) {
            node = found;
            continue;
        }
        const qint32 next = qint32(m_entryAt.size());
        m_entryAt.append(-1);
        if (node == 0)
            m_firstLevel[f] = next;
        else
            m_edges.insert(edgeKey(node, f), next);
        node = next;
    }
    // The first in order among the words of this surface answers for it; of
    // equals, the first added.
    qint32 &answer = m_entryAt[node];
    if (answer >= 0
        && compareFuriganaEntries(surface + u'=' + reading, m_surfaces.at(answer) + u'=' + m_readings.at(answer)) >= 0)
        return;
    answer = qint32(m_surfaces.size());
    m_surfaces.append(surface);
    m_readings.append(reading);
    m_known.append(!needsFurigana(surface, m_grade));
}

QString FuriganaDictionary::lookup(QStringView text) const
{
    qint32 node = 0;
    for (const QChar c : text) {
        node = child(node, folded(c));
        if (node < 0)
            return {};
    }
    const qint32 entry = node > 0 ? m_entryAt.at(node) : -1;
    return entry < 0 ? QString() : m_readings.at(entry);
}

FuriganaDictionary::Match FuriganaDictionary::longestAt(QStringView text, qsizetype pos) const
{
    Match match;
    qint32 best = -1;
    qint32 node = 0;
    for (qsizetype i = pos; i < text.size(); ++i) {
        node = child(node, folded(text[i]));
        if (node < 0)
            break;
        const qint32 entry = m_entryAt.at(node);
        // An empty reading answers too, and then the word has none.
        if (entry >= 0 && !m_readings.at(entry).isEmpty()) {
            best = entry;
            match.length = i - pos + 1;
        }
    }
    if (best >= 0) {
        match.reading = m_readings.at(best);
        match.known = m_known.at(best);
    }
    return match;
}

QStringList withoutRubyCodes(const QStringList &lines)
{
    QStringList out;
    out.reserve(lines.size());
    for (const QString &line : lines) {
        qsizetype code = line.indexOf(u"`r");
        if (code < 0) {
            out.append(line); // shared, not copied
            continue;
        }
        QString base;
        base.reserve(line.size());
        qsizetype copied = 0;
        while (code >= 0) {
            const qsizetype s = line.indexOf(u"`s", code + 2);
            if (s < 0)
                break;
            base += QStringView(line).sliced(copied, code - copied);
            copied = s + 2;
            code = line.indexOf(u"`r", copied);
        }
        base += QStringView(line).sliced(copied);
        out.append(base);
    }
    return out;
}

std::optional<QString> addFurigana(QStringView text, const FuriganaDictionary &dictionary,
                                   const ScanProgress &keepGoing)
{
    // The caller keeps its window alive here: often enough to stay
    // responsive, seldom enough to cost nothing.
    constexpr qsizetype kReportEvery = 16384;
    const qsizetype n = text.size();
    TextWriter out(2 * n);
    NextOccurrence codeEnd([text](qsizetype from) { return text.indexOf(u"`s", from); });
    NextOccurrence lineEnd([text](qsizetype from) { return text.indexOf(u'\n', from); });
    qsizetype copied = 0; // text before this is in `out`
    qsizetype report = kReportEvery;
    qsizetype i = 0;
    while (i < n) {
        if (keepGoing && i >= report) {
            if (!keepGoing(i, n))
                return std::nullopt;
            report = i + kReportEvery;
        }
        // A ruby code already there ("`r" reading "`s" on one line) stays with its base text.
        if (text[i] == u'`' && i + 1 < n && text[i + 1] == u'r') {
            const qsizetype s = codeEnd.from(i + 2);
            const qsizetype nl = lineEnd.from(i + 2);
            if (s >= 0 && (nl < 0 || s < nl)) {
                const qsizetype base = s + 2;
                i = base + std::max(dictionary.longestAt(text, base).length, scriptRunLength(text, base));
                continue;
            }
        }
        const FuriganaDictionary::Match match = dictionary.longestAt(text, i);
        if (match.length == 0) {
            ++i;
            continue;
        }
        if (match.known) {
            i += match.length;
            continue;
        }
        // The code goes in before the word; the word goes out with the text after it.
        out.put(text.sliced(copied, i - copied));
        out.put(u'`');
        out.put(u'r');
        out.put(match.reading);
        out.put(u'`');
        out.put(u's');
        copied = i;
        i += match.length;
    }
    out.put(text.sliced(copied));
    if (keepGoing && !keepGoing(n, n))
        return std::nullopt;
    return out.take();
}
