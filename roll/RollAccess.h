#pragma once
// The roll as commands and tool windows reach it: its text and lines, the
// caret and the view, the status line, and the changes that keep the undo
// history and the colours right. The main window is the one implementation;
// a tool window receives it in its constructor and never sees the main
// window's widgets, so a test can drive it against a bare roll.
#include "roll/RollConventions.h"
#include "roll/RollMarks.h"

#include <QStringList>

#include <functional>

// A selection by positions (a line break counts one).
struct RollSelection {
    int start = 0;
    int length = 0;
};

// Where the view stands, to come back to after a change.
struct RollViewPlace {
    int vertical = 0;
    int horizontal = 0;
};

class RollAccess {
public:
    virtual ~RollAccess() = default;

    // The roll's lines; a final line break starts no further line.
    virtual QStringList lines() const = 0;
    // The whole roll as one text, "\n" between lines (a final line break
    // stays): cheaper than lines() for a command that works on the text.
    virtual QString wholeText() const = 0;
    // The text from position `from` to `to`.
    virtual QString textRange(int from, int to) const = 0;
    // Positions in the roll, line breaks included.
    virtual int length() const = 0;
    // The comment kinds the user has chosen to recognise.
    virtual CommentKinds commentKinds() const = 0;

    virtual RollSelection selection() const = 0;
    virtual void select(RollSelection selection) = 0;
    virtual RollViewPlace viewPlace() const = 0;
    virtual void restoreViewPlace(RollViewPlace place) = 0;
    // Line `number` (1-based) on top as far as the roll allows, the focus in
    // the editor; the caret stays where it is.
    virtual void showLine(int number) = 0;

    // Replaces `from`..`to` with `text` as one undo step, then recolours.
    virtual void replaceAsOneStep(int from, int to, const QString &text) = 0;
    // The whole-roll pattern: one undo step, `workingStatus` meanwhile, the
    // lines through `transform`, the text replaced once; a non-empty `report`
    // is the caption of the completion message (empty: silent).
    virtual void rewrite(const std::function<QStringList(const QStringList &)> &transform,
                         const QString &report, const QString &workingStatus) = 0;
    // rewrite() for a command that made the new text itself ("\n" between
    // lines): the roll becomes `text`.
    virtual void rewriteText(const QString &text, const QString &report, const QString &workingStatus) = 0;
    // Records the present state in the undo history (before a bulk change).
    virtual void recordState() = 0;
    // Opens and closes one undo step around several changes (RollStep):
    // nested steps fold into the outermost, which records the state before
    // and after and recolours once at its end.
    virtual void beginStep() = 0;
    virtual void endStep() = 0;
    // Colours the whole roll and rebuilds the tag-jump list.
    virtual void recolour() = 0;
    // Lays `marks` over the view in place of any before (sorted, not
    // overlapping). They change no text; recolouring removes them.
    virtual void setMarks(const QList<RollMark> &marks) = 0;

    virtual QString statusText() const = 0;
    virtual void setStatusText(const QString &text) = 0;
};

// A command the user sees as one step, however many changes and nested
// commands it runs: one Undo takes all of it back, early returns included.
class RollStep {
public:
    explicit RollStep(RollAccess &roll) : m_roll(roll) { m_roll.beginStep(); }
    ~RollStep() { m_roll.endStep(); }
    RollStep(const RollStep &) = delete;
    RollStep &operator=(const RollStep &) = delete;

private:
    RollAccess &m_roll;
};
