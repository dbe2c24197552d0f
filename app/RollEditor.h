#pragma once
// The roll editor: a plain-text editor without word wrap whose window-level
// commands (undo, clipboard, find …) win over the editor's own key bindings.
#include <QColor>
#include <QKeySequence>
#include <QList>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "roll/RollMarks.h"

class RollEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit RollEditor(QWidget *parent = nullptr);
    // Shows `document` (not owned: the roll's session keeps it).
    RollEditor(QTextDocument *document, QWidget *parent);

    // Key sequences that belong to menu commands; the editor lets them through
    // to the commands instead of handling them itself (its Ctrl+Z, Ctrl+V …).
    void setCommandKeys(const QList<QKeySequence> &keys) { m_commandKeys = keys; }

    // The roll text between two positions, '\n' between lines (the document's
    // own characters otherwise: no-break spaces stay as they are).
    QString textRange(int from, int to) const;
    // The whole roll text in the same form.
    QString rollText() const;
    // Replaces the characters between two positions by `text` as one change
    // ('\n' or CR LF between lines); the caret stays where it is.
    void replaceRange(int from, int to, const QString &text);

    // Line index of the first visible line (no word wrap: lines are blocks).
    int firstVisibleLine() const;
    // Scrolls so that line `line` is on top, as far as the scroll range allows.
    void scrollToLine(int line);
    // Line index of the last line that shows in the viewport, even in part.
    int lastVisibleLine() const;
    // Scrolls back to the lines' left edge, where the character-limit bar is
    // measured from.
    void scrollToLeftEdge();
    // The first line drawn in the viewport (partly hidden at the top maybe).
    QTextBlock firstDrawnLine() const;
    // The band a line's text is drawn in, in viewport coordinates.
    QRectF lineRect(const QTextBlock &block) const;

    // While a line longer than this is in view the caret is steady: every
    // blink draws that whole line again, and a roll that is one pasted
    // manuscript line of a megabyte kept a core busy while nobody typed.
    // Such lines also keep their shaped glyphs (see keepLongLinesShaped).
    static constexpr int kSteadyCaretLineLength = 10000;
    // True while the caret does not blink for that reason.
    bool caretIsSteady() const { return m_steadyCaret; }

    // Ideographic spaces of lines longer than kSteadyCaretLineLength drawn on
    // this background (an invalid colour: not drawn). Such lines carry no
    // per-space format: Qt splits a line at each format with an insertion
    // into a list, which is quadratic in the formats of one line.
    void setLongLineSpaceBackground(const QColor &colour);

    // Part-of-speech marks shown over the text (RollMarkLayer): they follow
    // edits, and recolouring drops them. Only the marks of the lines in view
    // become the editor's extra selections, so a roll marked all over costs
    // nothing while typing or painting.
    void setMarks(QList<RollMark> marks);
    void clearMarks();
    // Drops the marks on `block`'s characters.
    void clearMarksOfLine(const QTextBlock &block);
    const QList<RollMark> &marks() const { return m_marks.marks(); }

Q_SIGNALS:
    // A key or mouse button went down or up, or the wheel turned, and the
    // editor has handled it (the caret and the view are where it left them).
    void inputHandled();
    // The editor's size changed, whatever changed it: the window, the
    // splitter, a pane opening or closing below it.
    void resized();

protected:
    void resizeEvent(QResizeEvent *e) override;
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    // Pasted and dropped text ends its lines only with real line breaks.
    void insertFromMimeData(const QMimeData *source) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    // The blink is the application's setting, so it is changed only while the
    // editor has the focus and given back when the focus goes elsewhere.
    void updateCaretBlink();
    // True when a long line is in view; those lines keep their glyphs.
    bool keepLongLinesShaped();
    void setSteadyCaret(bool steady);

    void paintSpacesOfLongLine(QPainter &painter, const QTextBlock &block, const QRectF &band,
                               const QRect &area);

    // Makes the extra selections the marks of the lines in view, when the
    // marks or the view changed since the last time.
    void showMarksInView();
    void marksChanged();

    QColor m_longLineSpaceBackground;
    RollMarkLayer m_marks;
    quint64 m_marksRevision = 0;
    // What the extra selections were made for: the marks' revision and the view.
    struct MarksShown {
        quint64 revision = 0;
        int firstLine = -1, lastLine = -1, horizontal = 0, width = 0;
        bool any = false;
        bool operator==(const MarksShown &) const = default;
    } m_marksShown;
    bool m_steadyCaret = false;
    int m_flashTime = 0; // the application's blink while it is held steady
    QList<QKeySequence> m_commandKeys;
};
