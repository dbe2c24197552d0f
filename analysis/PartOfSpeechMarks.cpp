#include "analysis/PartOfSpeechMarks.h"

#include "analysis/MorphemeRecord.h"
#include "roll/TextLines.h"

#include <QHash>

#include <algorithm>
#include <numeric>
#include <string_view>

using namespace Qt::StringLiterals;

namespace {

struct Word {
    QStringView text;
    RollMark::Kind kind = RollMark::Kind::Noun;
    int lastRecord = 0; // the place of its last record: later words win
};

// All the words found in one pass over the text (Aho–Corasick): a roll has
// thousands of distinct nouns and verbs, and one search of the whole text for
// each would cost their number times the roll.
class WordMatcher {
public:
    explicit WordMatcher(const QList<Word> &words)
    {
        buildTrie(words);
        link();
    }

    // Calls `found(word, end)` for every occurrence of every word, overlapping
    // ones included, in the order of their end positions (one past the end).
    template <typename Found>
    void scan(QStringView text, Found found) const
    {
        int node = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            node = next(node, text[i].unicode());
            for (int n = m_nodes[node].word >= 0 ? node : m_nodes[node].output; n > 0; n = m_nodes[n].output)
                found(m_nodes[n].word, i + 1);
        }
    }

private:
    // A node keeps what the scan reads of it together; its children stand
    // side by side in m_edges, sorted by character (the root's are also in a
    // table by character): most nodes have one child, and a short run is
    // quicker to look through than any hash.
    struct Node {
        int firstEdge = 0, endEdge = 0;
        int fail = 0;
        int output = 0; // the nearest node down the failure links where a word ends (0: none)
        int word = -1;  // the word ending here, or -1
    };
    struct Edge {
        char16_t c;
        int to;
    };

    void buildTrie(const QList<Word> &words)
    {
        // Sorted words give each node's children in character order, and the
        // word before shares the path to reuse. The first four characters,
        // packed in a number, decide most comparisons.
        struct Sorted {
            quint64 key;
            QStringView text;
            int word;
        };
        QList<Sorted> sorted;
        sorted.reserve(words.size());
        for (qsizetype w = 0; w < words.size(); ++w) {
            const QStringView text = words.at(w).text;
            quint64 key = 0;
            for (qsizetype i = 0; i < 4; ++i)
                key = (key << 16) | (i < text.size() ? text[i].unicode() : 0);
            sorted.append({key, text, int(w)});
        }
        std::sort(sorted.begin(), sorted.end(), [](const Sorted &a, const Sorted &b) {
            if (a.key != b.key)
                return a.key < b.key;
            return std::u16string_view(a.text.utf16(), size_t(a.text.size()))
                   < std::u16string_view(b.text.utf16(), size_t(b.text.size()));
        });
        struct Link {
            int from;
            Edge edge;
        };
        QList<Link> links;
        links.reserve(words.size() * 2);
        m_nodes.reserve(words.size() * 2);
        m_nodes.append(Node{});
        QList<int> path{0}; // the nodes of the word inserted last, root first
        QStringView previous;
        for (const Sorted &entry : sorted) {
            const QStringView text = entry.text;
            qsizetype shared = 0;
            while (shared < text.size() && shared < previous.size() && text[shared] == previous[shared])
                ++shared;
            path.resize(shared + 1);
            for (qsizetype i = shared; i < text.size(); ++i) {
                const int node = int(m_nodes.size());
                m_nodes.append(Node{});
                links.append(Link{path.constLast(), Edge{text[i].unicode(), node}});
                path.append(node);
            }
            m_nodes[path.constLast()].word = entry.word;
            previous = text;
        }
        // Each node's children side by side (a counting sort by parent keeps
        // their character order).
        for (const Link &l : links)
            ++m_nodes[l.from].endEdge;
        int at = 0;
        for (Node &n : m_nodes) {
            n.firstEdge = at;
            at += n.endEdge;
            n.endEdge = n.firstEdge;
        }
        m_edges.resize(links.size());
        m_root.fill(-1, 0x10000);
        for (const Link &l : links) {
            m_edges[m_nodes[l.from].endEdge++] = l.edge;
            if (l.from == 0)
                m_root[l.edge.c] = l.edge.to;
        }
    }

    int child(int node, char16_t c) const
    {
        if (node == 0)
            return m_root[c];
        const Node &n = m_nodes[node];
        const Edge *first = m_edges.constData() + n.firstEdge;
        const Edge *end = m_edges.constData() + n.endEdge;
        // A common first character has hundreds of continuations.
        if (end - first > 8)
            first = std::lower_bound(first, end, c, [](const Edge &e, char16_t ch) { return e.c < ch; });
        for (; first != end; ++first) {
            if (first->c >= c)
                return first->c == c ? first->to : -1;
        }
        return -1;
    }

    int next(int node, char16_t c) const
    {
        for (;;) {
            const int found = child(node, c);
            if (found >= 0)
                return found;
            if (node == 0)
                return 0;
            node = m_nodes[node].fail;
        }
    }

    // Failure and output links, breadth first.
    void link()
    {
        QList<int> queue;
        queue.reserve(m_nodes.size());
        queue.append(0);
        for (qsizetype head = 0; head < queue.size(); ++head) {
            const int node = queue.at(head);
            for (int i = m_nodes[node].firstEdge; i < m_nodes[node].endEdge; ++i) {
                const Edge e = m_edges[i];
                int target = 0;
                if (node != 0) {
                    int f = m_nodes[node].fail;
                    target = child(f, e.c);
                    while (target < 0 && f != 0) {
                        f = m_nodes[f].fail;
                        target = child(f, e.c);
                    }
                }
                Node &to = m_nodes[e.to];
                to.fail = std::max(target, 0);
                to.output = m_nodes[to.fail].word >= 0 ? to.fail : m_nodes[to.fail].output;
                queue.append(e.to);
            }
        }
    }

    QList<Node> m_nodes;
    QList<Edge> m_edges;
    QList<int> m_root; // the root's children by character
};

// The words to mark, each with the kind and place of its last taken record.
// The words are views into `recordLines` (or `unquoted`).
QList<Word> wordsToMark(const QStringList &recordLines, bool baseForms, QStringList &unquoted)
{
    QList<Word> words;
    QHash<QStringView, qsizetype> index;
    std::array<QStringView, 4> fields;
    for (qsizetype i = 0; i < recordLines.size(); ++i) {
        if (!recordFields(recordLines.at(i), fields, unquoted))
            continue;
        const std::optional<RollMark::Kind> kind = markKindOf(fields[3]);
        const QStringView text = fields[baseForms ? 1 : 0];
        // An empty word would be found everywhere and nowhere.
        if (!kind || text.isEmpty())
            continue;
        const auto at = index.constFind(text);
        if (at == index.cend()) {
            index.insert(text, words.size());
            words.append({text, *kind, int(i)});
        } else {
            words[*at].kind = *kind;
            words[*at].lastRecord = int(i);
        }
    }
    return words;
}

} // namespace

std::optional<RollMark::Kind> markKindOf(QStringView partOfSpeech)
{
    if (partOfSpeech.startsWith(u"動詞"))
        return RollMark::Kind::Verb;
    if (partOfSpeech.startsWith(u"名詞") && !partOfSpeech.contains(QChar(u'非')) && !partOfSpeech.contains(QChar(u'数')))
        return RollMark::Kind::Noun;
    return std::nullopt;
}

void markClearedComments(QStringView text, const CommentKinds &kinds, QList<int> &owners)
{
    forEachTextLine(text, [&](QStringView line) {
        if (IsRecognisedComment(line, kinds)) {
            const qsizetype start = line.data() - text.data();
            std::fill(owners.begin() + start, owners.begin() + start + line.size(), -2);
        }
    });
}

QList<RollMark> marksFromOwners(const QList<int> &owners, const QList<RollMark::Kind> &ownerKinds)
{
    QList<RollMark> marks;
    marks.reserve(ownerKinds.size() + 1024);
    const int *owner = owners.constData();
    const qsizetype size = owners.size();
    for (qsizetype i = 0; i < size;) {
        const int current = owner[i];
        qsizetype end = i + 1;
        while (end < size && owner[end] == current)
            ++end;
        if (current != -1)
            marks.append({int(i), int(end - i), current == -2 ? RollMark::Kind::Plain : ownerKinds.at(current)});
        i = end;
    }
    return marks;
}

QList<RollMark> partOfSpeechMarks(QStringView text, const QStringList &recordLines, bool baseForms,
                                  const CommentKinds &kinds)
{
    QStringList unquoted;
    const QList<Word> words = wordsToMark(recordLines, baseForms, unquoted);

    // Each occurrence, taken left to right without overlapping the word's one
    // before, gets an owner of its own and takes the characters whose owner
    // has a word with an earlier last record: the same as painting the words
    // in that order, with no need to keep them until then.
    QList<int> owners(text.size(), -1);
    markClearedComments(text, kinds, owners);
    QList<qsizetype> free(words.size(), 0); // where a word's next occurrence may start
    QList<RollMark::Kind> ownerKinds;
    QList<int> ownerRanks; // the last record of each owner's word
    ownerKinds.reserve(text.size() / 2);
    ownerRanks.reserve(text.size() / 2);
    int *owner = owners.data();
    qsizetype *nextFree = free.data();
    WordMatcher(words).scan(text, [&](int w, qsizetype end) {
        const Word &word = words.at(w);
        const qsizetype start = end - word.text.size();
        if (start < nextFree[w])
            return;
        nextFree[w] = end;
        const int id = int(ownerKinds.size());
        ownerKinds.append(word.kind);
        ownerRanks.append(int(word.lastRecord));
        const int *ranks = ownerRanks.constData();
        for (qsizetype c = start; c < end; ++c) {
            if (owner[c] < 0 || ranks[owner[c]] < word.lastRecord)
                owner[c] = id;
        }
    });
    return marksFromOwners(owners, ownerKinds);
}
