#pragma once
// Keeps the undo ring in step with the editor. The editor reports each change
// (position, count removed, text inserted); the history turns it into an edit
// against the state last recorded, with the help of a shadow copy of the
// text, and the recording step stores that edit in the ring.
//
// Changes that happen while recording is held off (bulk commands, the first
// load before the window shows) are not stored one by one: the history then
// keeps the last recorded text once and the next recording stores a single
// edit from it to the text of that moment.
#include "history/TextShadow.h"
#include "history/UndoRing.h"

class EditHistory {
public:
    // The editor replaced `removedCount` characters at `pos` by `inserted`
    // ('\n' between lines). Returns the change with unchanged characters at
    // both ends left out; it is empty when only formatting changed.
    TextEdit noteChange(qsizetype pos, qsizetype removedCount, const QString &inserted);

    // The recording step: stores the current text as the newest state, unless
    // it equals the state recorded last (so every undo step changes the roll);
    // then only the view is taken, so that undoing the next change (a bulk
    // command records first) shows the view that was there before it.
    // Returns whether a state was stored.
    bool record(int firstVisibleLine);

    // Undo and redo: the step to apply to the editor, or nothing at either end.
    // Changes not yet recorded are recorded first, so that redo brings them
    // back. While the editor applies the step, noteChange only follows the
    // text; endRestore() ends that.
    std::optional<UndoRing::Step> undo(int firstVisibleLine);
    std::optional<UndoRing::Step> redo(int firstVisibleLine);
    void endRestore() { m_restoring = false; }

    // Empties every state (New); the text shown now is measured against an
    // empty roll at the next recording.
    void clear();
    // Empties every state and takes the text shown now as the first one, so
    // no undo leads back past it (a resumed roll).
    void startOver();

    // Starts over from `text` when the shadow has lost step with the editor
    // (should not happen; kept as a safety net). Unrecorded changes are
    // measured against the last shadow text.
    void resync(const QString &text);

    TextShadow &shadow() { return m_shadow; }
    const TextShadow &shadow() const { return m_shadow; }
    const UndoRing &ring() const { return m_ring; }
    // Bytes held by the ring and by the text kept for unrecorded changes (the
    // shadow copy is counted separately: it is the editor's text once more).
    qsizetype bytesHeld() const;

private:
    bool inStep() const { return !m_detached && m_pending.isEmpty(); }
    void detach(const QString &recordedText);

    TextShadow m_shadow;
    UndoRing m_ring;
    TextEdit m_pending;      // since the last recording, when it is a single edit
    bool m_detached = false; // otherwise: the last recorded text is m_base
    QString m_base;
    bool m_restoring = false;
};
