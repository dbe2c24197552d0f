#pragma once
// The roll advisor's findings: words that sound alike, names that sound
// alike, words the analyser does not know, and kanji the readers may not
// have learned. Plain functions over the analyser's records and the roll's
// text; the advisor window shows the findings as a tree.
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <functional>
#include <optional>

// The fourteen nodes of the tree: four at the top, the last ten under the kanji node.
enum class AdviceNode {
    Homophones, SimilarNames, UnknownWords, KanjiAdvice,
    Year1, Year2, Year3, Year4, Year5, Year6, JuniorHigh, NotJoyo, Level2, Reconsider,
};
inline constexpr int kAdviceNodeCount = 14;

QString adviceNodeText(AdviceNode node);
// The node `node` hangs under; none for the four top nodes.
std::optional<AdviceNode> adviceNodeParent(AdviceNode node);

// One distinct (part of speech, surface, reading) of the records.
struct WordEntry {
    QString partOfSpeech;
    QString surface;
    QString reading;
    friend bool operator==(const WordEntry &, const WordEntry &) = default;
};

// Called now and then in a long stage with the items done and their number.
using AdviceProgress = std::function<void(qsizetype done, qsizetype total)>;

// The word entries of the analyser's record lines (non-records and records
// without a part of speech skipped), each once, in order of first occurrence.
QList<WordEntry> wordEntries(const QStringList &morphemeLines, const AdviceProgress &progress = {});

// The finding texts under each node, in the order found.
struct AdviceFindings {
    std::array<QStringList, kAdviceNodeCount> under;
    QStringList &operator[](AdviceNode node) { return under[size_t(node)]; }
    const QStringList &operator[](AdviceNode node) const { return under[size_t(node)]; }
};

// Every later entry with the same reading and another surface makes a pair:
// under 似た名前 when either is a personal name, else under 同音異字. Then
// every entry without a reading goes under 辞書にない文字.
void compareWordEntries(const QList<WordEntry> &entries, AdviceFindings &findings,
                        const AdviceProgress &progress = {});

// Each distinct kanji (U+4E00–U+9FFF) of the text, comment lines included,
// under the school years that have not learned it, 常用漢字以外, 第２水準漢字
// and 変更を検討したほうが良い漢字 as the lists say.
void checkKanji(QStringView rollText, AdviceFindings &findings, const AdviceProgress &progress = {});

// All three stages.
AdviceFindings adviseRoll(const QStringList &morphemeLines, QStringView rollText);

// The order of the tree's nodes at every level: the texts' UTF-16 order.
bool adviceTextBefore(const QString &a, const QString &b);

// The tree as the window shows it, a node a line, each level sorted and
// indented two blanks deeper than the one above.
QString adviceTreeText(const AdviceFindings &findings);

// The words a finding names: the surfaces of a pair, the unknown word, the kanji.
QStringList findingWords(const QString &findingText);

// The roll lines a finding concerns, by zero-based index: for every line and,
// within it, every word it contains (a line holding two words comes twice).
QList<int> linesForFinding(const QString &findingText, const QStringList &lines);
