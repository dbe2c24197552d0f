#pragma once
// Re-breaking an over-long line the way captions read well: only where
// Japanese typesetting allows a break (no line begins with 「。」 or small kana,
// none ends with 「「」), between phrases rather than inside them, and with the
// lines of one caption nearly equal in width when asked.
#include "reshape/LegalBreaks.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <span>
#include <vector>

class WidthModel;
class WordList;

struct BreakRules {
    bool kinsoku = false; // breaks only where the line-break rules allow
    bool phrases = false; // breaks between phrases (needs the word list with roles)
    bool balance = false; // the lines of one reshaped line nearly equal in width
    bool any() const { return kinsoku || phrases || balance; }
    bool operator==(const BreakRules &) const = default;
};

// How good a place to break is; higher is better. Every break a line needs
// goes to the best place that fits, the latest among equals.
enum BreakLevel : quint8 {
    kBreakNever = 0,     // inside a character, or a break that would make a comment
    kBreakRuleBroken,    // against the line-break rules (never when they are asked for)
    kBreakInsideWord,    // inside a word, a number or a Latin run: after every break between words
    kBreakInsidePhrase,  // between the function words of a phrase
    kBreakAfterContent,  // between a phrase's content word and its function words
    kBreakInCompound,    // between the nouns of a compound
    kBreakBetweenPhrases // between phrases (or words, or characters, as the options ask)
};

class CaptionBreaker {
public:
    // `words` may be null (no word check): then every character boundary the
    // rules allow is as good as any other. `model` measures the widths; a
    // ruby code counts as wide as its base text, which is what the screen
    // shows of it.
    CaptionBreaker(const BreakRules &rules, const WordList *words, WidthModel &model);

    // `morphemes` below are the codes of the line's units as MorphemeMap
    // gives them: the analyser's reading of this very line, from which its
    // phrases are made. Without them (or where the analyser did not read the
    // line) the words come from the word list, matched longest first.

    // The item for one line wider than `limit`: its output lines separated by
    // "\n" followed by `extra` (caption lines) or by "<-" (comment lines, whose
    // marker counts in the width), then `extra`.
    QString reshapeLine(QStringView line, qint64 limit, QStringView extra, QByteArrayView morphemes = {});

    // The offsets in `line` where reshapeLine breaks it.
    QList<qsizetype> breaksOf(QStringView line, qint64 limit, QByteArrayView morphemes = {});

    // The level of a break before each offset of `line` (index 0..size; the
    // ends are kBreakNever): what the choice is made from. Without
    // `quotesWhole` a phrase boundary inside a quote keeps its level, as it
    // is when the phrases themselves are asked about.
    const std::vector<quint8> &levelsOf(QStringView line, bool quotesWhole = true, QByteArrayView morphemes = {});
    // The widths of the line last given to levelsOf: per offset, the width of
    // the unit that begins there, -1 inside a unit.
    const std::vector<qint32> &widthsOf() const { return m_widths; }

private:
    struct Chosen {
        QList<qsizetype> breaks;
        qint64 widest = 0;     // the widest output line
        qint64 shortfall = 0;  // sum over breaks of how far each is below the best level
        quint8 worst = kBreakBetweenPhrases;
    };
    // The best place to end the line that starts at `s` within `room`.
    struct Pick {
        qsizetype at = -1; // the size of the line when the rest fits
        qint64 width = 0;  // of the line up to `at`
        bool last = false; // what is left fits: no break
    };
    void measure(QStringView line);
    void classify(QStringView line, bool everyLegality, QByteArrayView morphemes);
    void classifyWords(QStringView line);
    bool classifyMorphemes(QStringView line, QByteArrayView morphemes);
    bool usable(quint8 level) const;
    qsizetype unitEnd(qsizetype p) const;
    Chosen balanced(const Chosen &plain, qint64 limit);
    using QSpanOfBreaks = std::span<const qsizetype>;
    QList<qsizetype> evenOut(qsizetype from, qsizetype to, QSpanOfBreaks plainBreaks, qint64 limit, quint8 worst);
    quint8 balanceLevel(qsizetype q, quint8 worst);
    void keepQuotesTogether(QStringView line);
    Pick pick(qsizetype s, qint64 room);
    Pick looseFit(qsizetype s, qint64 room) const;
    quint8 levelAt(qsizetype q) const;
    bool checkLegal(qsizetype q);
    Chosen fill(qint64 cap);
    bool phraseWiderThan(qsizetype from, qint64 room) const;
    Chosen choose(QStringView line, qint64 limit, QByteArrayView morphemes);

    BreakRules m_rules;
    const WordList *m_words;
    WidthModel &m_model;
    LegalBreaks m_legal;
    QStringView m_line; // the line being broken
    bool m_comment = false;
    bool m_quotesWhole = true;
    qint64 m_markerWidth = 0;
    // Per offset of the current line, reused from line to line.
    std::vector<qint32> m_widths; // the unit's width at its first offset, kInsideUnit at the others
    qsizetype m_lastUnit = 0;     // where the line's last unit begins
    std::vector<quint8> m_levels;
    // The rules' answer for each offset, asked only where a break is
    // considered: 0 not asked, 1 legal, 2 against the rules.
    std::vector<quint8> m_legalState;
    std::vector<bool> m_legalAt;
};
