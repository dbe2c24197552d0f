#pragma once
// A run of replace-alls done in one pass. Given (source, target) pairs in the
// order a sequence of replace-alls would apply them, convert() gives the text
// that sequence gives, but reads the text once instead of once per pair.
//
// Why the order still matters in one pass: a pair applied earlier takes its
// occurrences first, even where a later pair's occurrence starts further left
// and overlaps it ("IVII" with VII before IV gives Ⅰ Ⅶ, not Ⅳ Ⅱ). Where
// occurrences overlap, the converter settles them by that order; elsewhere it
// takes the one match at each position.
#include <QList>
#include <QPair>
#include <QString>

#include <cstdint>
#include <vector>

class PairConverter {
public:
    // Pairs in application order. A pair with an empty source never matches;
    // a pair whose target equals its source changes nothing.
    explicit PairConverter(const QList<QPair<QString, QString>> &pairs);

    // The same text as `text.replace(source, target)` for every pair in order.
    QString convert(const QString &text) const;

    // False when a target could take part in a later match (a target holds a
    // character of some source, or is empty and so joins its neighbours): the
    // one-pass reading would not match the sequence, and convert() then does
    // the replace-alls one by one.
    bool onePass() const { return m_onePass; }

private:
    struct Node {
        int pair = -1; // the earliest pair whose source ends here
        std::vector<std::pair<char16_t, int>> next;
    };
    struct Match {
        qsizetype start;
        qsizetype end;
        int pair;
    };
    // Every source that matches at `at` (shortest first), appended to `out`.
    void matchesAt(const QString &text, qsizetype at, std::vector<Match> &out) const;
    QString resolveCluster(std::vector<Match> &matches, const QString &text, qsizetype from,
                           qsizetype to) const;

    QList<QPair<QString, QString>> m_pairs;
    std::vector<Node> m_nodes;     // m_nodes[0] is the root
    std::vector<int32_t> m_first;  // root edge per UTF-16 code unit, -1 when none
    bool m_onePass = true;
};
