#pragma once
// The pieces no reshape cuts: a character with its combining marks (「か」 with
// a separate voicing mark, a letter with its accent, an emoji with its
// modifiers), and a ruby code from its "`r" to the first character of its
// base text, so that a reading never parts from the text it stands over.
//
// A ruby code is "`r" + reading + "`s" + base text, with no closing mark. The
// caption screen shows the base text with the reading small above it: the
// code's "`r" + reading + "`s" takes no room on the line, so where widths are
// what the screen shows they count the base text alone.
#include <QStringView>

#include <vector>

class WidthModel;

class TextUnits {
public:
    // Finds the units of `text`, which must stay alive and unchanged while
    // this is asked about it. Linear in the text.
    explicit TextUnits(QStringView text);

    // True where a unit begins (0 <= pos <= size; the ends are starts).
    bool startsAt(qsizetype pos) const { return pos >= qsizetype(m_inside.size()) || !m_inside[size_t(pos)]; }
    // The end of the unit that begins at or holds `pos`.
    qsizetype endOf(qsizetype pos) const;
    // The start of the unit that holds `pos` (pos itself when a unit begins there).
    qsizetype startOf(qsizetype pos) const;
    // True for the units of a ruby code's "`r" + reading + "`s".
    bool hiddenAt(qsizetype pos) const { return !m_hidden.empty() && m_hidden[size_t(pos)]; }
    bool hasRuby() const { return !m_hidden.empty(); }

private:
    QStringView m_text;
    std::vector<bool> m_inside; // per offset: not the first of its unit
    std::vector<bool> m_hidden; // per offset: part of a ruby code's marks and reading (empty: none)
};

// The width of `text` as the caption screen shows it: ruby codes count their
// base text only.
qint64 shownWidth(QStringView text, WidthModel &model);
