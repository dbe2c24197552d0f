#pragma once
// The roll's undo history: a ring of 5000 states. Each slot keeps only the
// edit that leads to it from the slot before (the changed middle of the text
// with what it replaced), so a history of single-character edits on a large
// roll costs a few hundred kilobytes instead of 5000 copies of the roll.
#include <QString>

#include <optional>
#include <vector>

// A reversible edit: at `pos`, `removed` was replaced by `inserted`.
struct TextEdit {
    qsizetype pos = 0;
    QString removed;
    QString inserted;

    bool isEmpty() const { return removed.isEmpty() && inserted.isEmpty(); }
    TextEdit reversed() const { return {pos, inserted, removed}; }
    // Applies the edit to `text`, which must hold `removed` at `pos`.
    void applyTo(QString &text) const { text.replace(pos, removed.size(), inserted); }
};

// The edit with the characters common to both ends of `removed` and
// `inserted` left out (empty when nothing changed).
TextEdit trimmedEdit(const TextEdit &edit);

// The smallest single edit that turns `before` into `after`: the common
// prefix and suffix stay, the middle is replaced.
TextEdit diffTexts(QStringView before, QStringView after);

// Where undo or redo puts the caret after applying a change that now covers
// [changeStart, changeEnd], the restored view showing [viewStart, viewEnd]:
// the change's end when it shows, else its start when that shows, else the
// view's start when the change runs across the whole view (a reshape: the
// view stays where it was). A change wholly outside the view gives its end,
// and the view then goes to it.
qsizetype caretAfterRestore(qsizetype changeStart, qsizetype changeEnd, qsizetype viewStart, qsizetype viewEnd);

class UndoRing {
public:
    static constexpr int kSlots = 5000;

    // What undo or redo asks of the editor: apply `edit` to the text shown,
    // scroll `firstVisibleLine` to the top, put the caret at `caret` (where
    // the change was).
    struct Step {
        TextEdit edit;
        int firstVisibleLine = 0;
        qsizetype caret = 0;
    };

    // Recording: the state reached by `edit` from the current one becomes the
    // newest. The current index moves one slot on (overwriting the oldest
    // state once the ring is full); the states that redo could reach are gone.
    void record(TextEdit edit, int firstVisibleLine);

    // The step back to the previous state, or nothing at the oldest state.
    std::optional<Step> undo();
    // The step forward to the next state, or nothing at the newest state.
    std::optional<Step> redo();

    // The state shown is still the current one, now seen from `firstVisibleLine`:
    // undo and redo coming back to it show that view.
    void setCurrentView(int firstVisibleLine) { m_slots[size_t(m_current)].firstVisibleLine = firstVisibleLine; }

    // Every slot becomes the empty text and the current index 0 (New). The
    // top index and the wrapped flag stay as they were.
    void clear();

    int current() const { return m_current; }
    int top() const { return m_top; }
    bool wrapped() const { return m_wrapped; }
    int undoSteps() const { return m_back; }
    int redoSteps() const { return m_forward; }

    // Bytes held by the slots and the edits they keep.
    qsizetype bytesHeld() const;

private:
    struct Slot {
        TextEdit link; // from the previous slot's state to this one
        int firstVisibleLine = 0;
    };
    static qsizetype caretAfter(const TextEdit &edit) { return edit.pos + edit.inserted.size(); }

    std::vector<Slot> m_slots = std::vector<Slot>(kSlots);
    int m_current = 0;
    int m_top = 0;
    bool m_wrapped = false;
    // How far undo and redo may walk. The ring itself would let undo run past
    // the oldest state into the newest (or into states a later recording cut
    // off); these counts stop it at the last state that really came before.
    int m_back = 0;
    int m_forward = 0;
};
