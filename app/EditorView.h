#pragma once
// How the roll is shown around its text: the editor's font (shared by the
// line-number gutter), the character-limit bar, the caret bar under the caret
// line, the gutter's slide-style counting, and where the view stands after a
// command rewrote much of the roll.
class LineNumberGutter;
class QComboBox;
class QFrame;
class QSpinBox;
class RollEditor;

class EditorView {
public:
    struct Widgets {
        RollEditor *editor = nullptr;
        LineNumberGutter *gutter = nullptr;
        QFrame *limitBar = nullptr;
        QFrame *caretBar = nullptr;
        QComboBox *fontName = nullptr;
        QSpinBox *fontSize = nullptr;
        QSpinBox *limitColumn = nullptr; // full-width characters before the limit bar
    };

    explicit EditorView(const Widgets &widgets) : m_w(widgets) {}

    // The face and size in the panel go to the editor and the gutter.
    void applyFontName();
    void applyFontSize();
    // The limit bar after the panel's number of full-width characters.
    void placeLimitBar();
    // The caret bar along the bottom of the caret line.
    void placeCaretBar();
    // The bars keep the editor's height and width after a resize.
    void followEditorSize();
    void showLimitBar(bool shown);
    void showCaretBar(bool shown);
    // Slide-style counting in the gutter; switching it on asks for the rows
    // a slide holds (kept for the next time).
    void setSlideCounting(bool on);
    // After a command rewrote much of the roll at once: the line that was on
    // top stays on top, the view starts at the lines' left edge, and the
    // caret at the start of the line it was on.
    void keepAfterBulkChange(int firstLine, int caretLine);

private:
    Widgets m_w;
    int m_rowsPerSlide = 0; // asked when slide counting is switched on
};
