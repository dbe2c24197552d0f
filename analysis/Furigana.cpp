#include "analysis/Furigana.h"

#include "analysis/KanaMapping.h"
#include "analysis/MorphemeRecord.h"
#include "platform/Cp932.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Letter case is ignored one UTF-16 unit at a time. The surfaces come from
// text the analyser read as Shift-JIS, which holds no supplementary letters.
char16_t folded(QChar c)
{
    return c.isSurrogate() ? c.unicode() : c.toCaseFolded().unicode();
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

} // namespace

QString rubyCode(const QString &reading, const QString &base)
{
    return u"`r"_s + reading + u"`s"_s + base;
}

bool takesFurigana(const QStringList &record)
{
    if (record.size() < 4 || record.at(0).isEmpty())
        return false;
    const QString &pos = record.at(3);
    if (!pos.startsWith(u"動詞-一般") && !(pos.startsWith(u"名詞") && !pos.contains(u"名詞-数")))
        return false;
    const QString &surface = record.at(0);
    const qsizetype first = surface.size() > 1 && surface[0].isHighSurrogate() && surface[1].isLowSurrogate() ? 2 : 1;
    const QByteArray bytes = cp932Encode(QStringView(surface).first(first));
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

int compareFuriganaEntries(const QString &a, const QString &b)
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Japanese, QLocale::Japan));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator.compare(a, b);
}

FuriganaDictionary FuriganaDictionary::fromMorphemeLines(const QStringList &lines)
{
    FuriganaDictionary dictionary;
    for (const QString &line : lines) {
        const QStringList record = parseRecord(line);
        if (takesFurigana(record))
            dictionary.add(record.at(0), furiganaReading(record.at(2)));
    }
    return dictionary;
}

void FuriganaDictionary::add(const QString &surface, const QString &reading)
{
    if (surface.isEmpty())
        return;
    const qint32 index = qint32(m_entries.size());
    m_entries.append(surface + u'=' + reading);
    m_surfaceLength.append(surface.size());
    m_maxLength = std::max(m_maxLength, surface.size());
    qint32 node = 0;
    for (const QChar c : surface) {
        const quint64 key = edgeKey(node, folded(c));
        const auto edge = m_edges.constFind(key);
        if (edge != m_edges.cend()) {
            node = *edge;
            continue;
        }
        const qint32 next = qint32(m_entryAt.size());
        m_entryAt.append(-1);
        m_edges.insert(key, next);
        node = next;
    }
    // The first in order among the words of this surface answers for it; of
    // equals, the first added.
    qint32 &answer = m_entryAt[node];
    if (answer < 0 || compareFuriganaEntries(m_entries.last(), m_entries.at(answer)) < 0)
        answer = index;
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
    return entry < 0 ? QString() : m_entries.at(entry).sliced(m_surfaceLength.at(entry) + 1);
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
        if (entry >= 0 && m_entries.at(entry).size() > m_surfaceLength.at(entry) + 1) {
            best = entry;
            match.length = i - pos + 1;
        }
    }
    if (best >= 0)
        match.reading = m_entries.at(best).sliced(m_surfaceLength.at(best) + 1);
    return match;
}

std::optional<QString> addFurigana(QStringView text, const FuriganaDictionary &dictionary,
                                   const ScanProgress &keepGoing)
{
    // The caller keeps its window alive here: often enough to stay
    // responsive, seldom enough to cost nothing.
    constexpr qsizetype kReportEvery = 16384;
    const qsizetype n = text.size();
    QString out;
    out.reserve(n + n / 2);
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
        out += text.sliced(copied, i - copied);
        out += u"`r";
        out += match.reading;
        out += u"`s";
        out += text.sliced(i, match.length);
        i += match.length;
        copied = i;
    }
    out += text.sliced(copied);
    if (keepGoing && !keepGoing(n, n))
        return std::nullopt;
    return out;
}
