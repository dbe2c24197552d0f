#pragma once
// Colours the roll line by line as the editor lays it out: recognised comment
// lines black on silver, other lines as the editor draws them (black on
// white), every ideographic space (U+3000) white on sky blue. Only changed
// lines are coloured again while typing; recolourAll() does the whole roll.
//
// While colouring is frozen (the "no recolour" option, or a bulk command
// holding colouring off) a changed line keeps the colour it had; the
// highlighter then knows some colours are out of date and the next
// recolourAll() repaints everything.
#include "roll/RollConventions.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <QTextLayout>

#include <functional>

class RollHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    // `kinds` tells the recognised comment kinds at the moment of colouring;
    // `frozen` whether changed lines must keep their colour.
    RollHighlighter(QTextDocument *document, std::function<CommentKinds()> kinds,
                    std::function<bool()> frozen);

    static QColor commentBackground() { return QColor(192, 192, 192); }
    static QColor spaceBackground() { return QColor(166, 202, 240); }
    // Lines longer than this get no per-space format; the editor draws their
    // ideographic spaces itself (RollEditor::setLongLineSpaceBackground).
    static constexpr qsizetype kSpacesByFormatUpTo = 10000;

    // Colours the whole roll again when a colour may be out of date (frozen
    // lines, other comment kinds since the last time) or when `force` is set.
    void recolourAll(bool force = false);
    // Colours one line again when its colour is not the one its text asks for.
    void refreshBlock(const QTextBlock &block);

    // A whole new text (a roll opened, a command rewriting all of it):
    // between these two the highlighter ignores the change (colouring every
    // line would lay each one out, most of the cost and the memory of opening
    // a big roll); endLoad colours only the lines that need colour. `text` is
    // the document's new text, "\n" between lines.
    void beginLoad();
    void endLoad(QStringView text);

protected:
    void highlightBlock(const QString &text) override;

private:
    enum State { Caption = 0, Comment = 1 };
    // The colours of a line in `state`: the comment colour over it all, an
    // ideographic space's own over each one (not on very long lines).
    QList<QTextLayout::FormatRange> lineFormats(QStringView line, State state) const;

    std::function<CommentKinds()> m_kinds;
    std::function<bool()> m_frozen;
    CommentKinds m_paintedKinds; // the kinds the whole roll was coloured for
    bool m_stale = false;
    QTextCharFormat m_commentFormat;
    QTextCharFormat m_spaceFormat;
};
