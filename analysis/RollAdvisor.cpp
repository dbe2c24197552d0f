#include "analysis/RollAdvisor.h"

#include "analysis/KanjiLists.h"
#include "analysis/MorphemeRecord.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Reports progress about a hundred times in a stage, whatever its size.
class ProgressSteps {
public:
    ProgressSteps(const AdviceProgress &progress, qsizetype total)
        : m_progress(progress), m_total(total), m_step(std::max<qsizetype>(1, total / 100))
    {
    }
    void done(qsizetype count)
    {
        if (m_progress && count >= m_next) {
            m_progress(count, m_total);
            m_next = count + m_step;
        }
    }

private:
    const AdviceProgress &m_progress;
    qsizetype m_total;
    qsizetype m_step;
    qsizetype m_next = 0;
};

// A word entry's fields, compared and hashed as text.
struct EntryKey {
    QStringView partOfSpeech;
    QStringView surface;
    QStringView reading;
    friend bool operator==(const EntryKey &, const EntryKey &) = default;
};

size_t qHash(const EntryKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.partOfSpeech, key.surface, key.reading);
}

QString pairText(bool names, const QString &a, const QString &b)
{
    const QStringView head = names ? u"発音が似た名前があります （『" : u"同音語があります （『";
    const QStringView middle = u"』と『";
    const QStringView tail = u"』）";
    QString text;
    text.reserve(head.size() + a.size() + middle.size() + b.size() + tail.size());
    text.append(head).append(a).append(middle).append(b).append(tail);
    return text;
}

bool isPersonalName(const WordEntry &entry)
{
    return entry.partOfSpeech.contains(u"固有名詞-人名");
}

AdviceNode yearNode(int year)
{
    return AdviceNode(int(AdviceNode::Year1) + year - 1);
}

KanjiList gradeList(int year)
{
    return KanjiList(int(KanjiList::Grade1) + year - 1);
}

void appendTree(QString &out, const AdviceFindings &findings, const QString &text, std::optional<AdviceNode> node,
                int depth)
{
    out += QString(depth * 2, u' ') + text + u'\n';
    if (!node)
        return;
    // Child nodes and findings alike, as one sorted level.
    QList<std::pair<QString, std::optional<AdviceNode>>> children;
    for (int i = 0; i < kAdviceNodeCount; ++i) {
        if (adviceNodeParent(AdviceNode(i)) == *node)
            children.append({adviceNodeText(AdviceNode(i)), AdviceNode(i)});
    }
    for (const QString &finding : findings[*node])
        children.append({finding, std::nullopt});
    std::stable_sort(children.begin(), children.end(),
                     [](const auto &a, const auto &b) { return adviceTextBefore(a.first, b.first); });
    for (const auto &[childText, childNode] : children)
        appendTree(out, findings, childText, childNode, depth + 1);
}

} // namespace

QString adviceNodeText(AdviceNode node)
{
    switch (node) {
    case AdviceNode::Homophones: return u"同音異字"_s;
    case AdviceNode::SimilarNames: return u"似た名前"_s;
    case AdviceNode::UnknownWords: return u"辞書にない文字"_s;
    case AdviceNode::KanjiAdvice: return u"使用漢字のアドバイス（教育漢字/常用漢字）"_s;
    case AdviceNode::Year1: return u"小学１年生が習得していない漢字"_s;
    case AdviceNode::Year2: return u"小学２年生が習得していない漢字"_s;
    case AdviceNode::Year3: return u"小学３年生が習得していない漢字"_s;
    case AdviceNode::Year4: return u"小学４年生が習得していない漢字"_s;
    case AdviceNode::Year5: return u"小学５年生が習得していない漢字"_s;
    case AdviceNode::Year6: return u"小学６年生が習得していない漢字"_s;
    case AdviceNode::JuniorHigh: return u"中学生が習得していない漢字"_s;
    case AdviceNode::NotJoyo: return u"常用漢字以外"_s;
    case AdviceNode::Level2: return u"第２水準漢字"_s;
    case AdviceNode::Reconsider: return u"変更を検討したほうが良い漢字"_s;
    }
    return {};
}

std::optional<AdviceNode> adviceNodeParent(AdviceNode node)
{
    if (int(node) >= int(AdviceNode::Year1))
        return AdviceNode::KanjiAdvice;
    return std::nullopt;
}

QList<WordEntry> wordEntries(const QStringList &morphemeLines, const AdviceProgress &progress)
{
    QList<WordEntry> entries;
    // The entries met so far, as views into their own strings: those stay
    // where they are while the list grows, so no key string is made.
    QSet<EntryKey> seen;
    // The fields as views: a list and a string for each field of every record
    // would cost more than the comparison.
    std::array<QStringView, 4> fields;
    QStringList unquoted;
    ProgressSteps steps(progress, morphemeLines.size());
    for (qsizetype i = 0; i < morphemeLines.size(); ++i) {
        steps.done(i);
        unquoted.clear();
        if (!recordFields(morphemeLines.at(i), fields, unquoted) || fields[3].isEmpty())
            continue;
        WordEntry entry{fields[3].toString(), fields[0].toString(), fields[2].toString()};
        const EntryKey key{entry.partOfSpeech, entry.surface, entry.reading};
        if (seen.contains(key))
            continue;
        seen.insert(key);
        entries.append(std::move(entry));
    }
    steps.done(morphemeLines.size());
    return entries;
}

void compareWordEntries(const QList<WordEntry> &entries, AdviceFindings &findings, const AdviceProgress &progress)
{
    // Only entries of one reading can pair: each entry meets the later ones
    // of its reading, in the order the entries came, which is the order a
    // comparison of every pair would find them in. The entries of a reading
    // are put side by side (a stable sort by the reading's first coming),
    // not in a list of their own each.
    const qsizetype n = entries.size();
    QHash<QStringView, qsizetype> readingGroup;
    QList<qsizetype> group(n, -1);
    QList<qsizetype> order;
    for (qsizetype i = 0; i < n; ++i) {
        const QString &reading = entries.at(i).reading;
        if (reading.isEmpty())
            continue;
        auto found = readingGroup.constFind(reading);
        if (found == readingGroup.cend())
            found = readingGroup.insert(reading, readingGroup.size());
        group[i] = *found;
        order.append(i);
    }
    std::stable_sort(order.begin(), order.end(), [&group](qsizetype a, qsizetype b) { return group[a] < group[b]; });
    QList<qsizetype> place(n, 0); // each entry's place in `order`
    for (qsizetype k = 0; k < order.size(); ++k)
        place[order.at(k)] = k;
    ProgressSteps steps(progress, n);
    for (qsizetype i = 0; i < n; ++i) {
        steps.done(i);
        if (group.at(i) < 0)
            continue;
        const WordEntry &a = entries.at(i);
        for (qsizetype k = place.at(i) + 1; k < order.size() && group.at(order.at(k)) == group.at(i); ++k) {
            const WordEntry &b = entries.at(order.at(k));
            if (a.surface == b.surface)
                continue;
            const bool names = isPersonalName(a) || isPersonalName(b);
            findings[names ? AdviceNode::SimilarNames : AdviceNode::Homophones] << pairText(names, a.surface, b.surface);
        }
    }
    for (const WordEntry &a : entries) {
        if (a.reading.isEmpty())
            findings[AdviceNode::UnknownWords] << u"形態素辞書で理解できない文があります。（『"_s + a.surface + u"』）"_s;
    }
    steps.done(n);
}

void checkKanji(QStringView rollText, AdviceFindings &findings, const AdviceProgress &progress)
{
    constexpr char16_t kFirst = 0x4E00;
    constexpr char16_t kLast = 0x9FFF;
    std::vector<bool> met(kLast - kFirst + 1, false);
    ProgressSteps steps(progress, rollText.size());
    for (qsizetype i = 0; i < rollText.size(); ++i) {
        steps.done(i);
        const char16_t c = rollText[i].unicode();
        if (c < kFirst || c > kLast || met[c - kFirst])
            continue;
        met[c - kFirst] = true;
        const QString kanji(QChar{c});
        const bool level2 = isInKanjiList(KanjiList::Level2, c);
        if (level2)
            findings[AdviceNode::Level2] << kanji;
        const bool joyo = isInKanjiList(KanjiList::Joyo, c);
        // The first year that has learned it: junior high learns the jōyō
        // kanji the elementary years leave.
        int learnedIn = 0;
        if (isInKanjiList(KanjiList::Junior, c)) {
            learnedIn = 7;
        } else {
            for (int year = 6; year >= 1 && learnedIn == 0; --year) {
                if (isInKanjiList(gradeList(year), c))
                    learnedIn = year;
            }
        }
        if (learnedIn > 0) {
            for (int year = 1; year < learnedIn; ++year)
                findings[yearNode(year)] << kanji;
            continue;
        }
        for (int year = 1; year <= 6; ++year)
            findings[yearNode(year)] << kanji;
        findings[AdviceNode::JuniorHigh] << kanji;
        if (!joyo)
            findings[AdviceNode::NotJoyo] << kanji;
        if (!joyo && !level2)
            findings[AdviceNode::Reconsider] << kanji;
    }
    steps.done(rollText.size());
}

AdviceFindings adviseRoll(const QStringList &morphemeLines, QStringView rollText)
{
    AdviceFindings findings;
    compareWordEntries(wordEntries(morphemeLines), findings);
    checkKanji(rollText, findings);
    return findings;
}

bool adviceTextBefore(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseSensitive) < 0;
}

QString adviceTreeText(const AdviceFindings &findings)
{
    QList<AdviceNode> top;
    for (int i = 0; i < kAdviceNodeCount; ++i) {
        if (!adviceNodeParent(AdviceNode(i)))
            top.append(AdviceNode(i));
    }
    std::sort(top.begin(), top.end(),
              [](AdviceNode a, AdviceNode b) { return adviceTextBefore(adviceNodeText(a), adviceNodeText(b)); });
    QString out;
    for (const AdviceNode node : top)
        appendTree(out, findings, adviceNodeText(node), node, 0);
    return out;
}

QStringList findingWords(const QString &findingText)
{
    QString text = findingText;
    const qsizetype open = text.indexOf(u'（');
    if (open >= 0) {
        text = text.mid(open + 2); // the bracket and the quote after it
        text.remove(u'）');
    }
    text.replace(u"』と『"_s, u"\n"_s);
    text.remove(u'『');
    text.remove(u'』');
    if (text.isEmpty())
        return {};
    return parseRecord(text);
}

QList<int> linesForFinding(const QString &findingText, const QStringList &lines)
{
    QStringList words = findingWords(findingText);
    // An empty word is in every line, and names none of them.
    words.removeAll(QString());
    QList<int> found;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        for (const QString &word : words) {
            if (lines.at(i).contains(word))
                found.append(int(i));
        }
    }
    return found;
}
