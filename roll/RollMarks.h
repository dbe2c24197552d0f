#pragma once
// Part-of-speech marks laid over the roll view: spans of the text shown in a
// colour of their own. They change no text and are not saved; the view drops
// them where it colours lines again. The layer keeps them in step with edits,
// so that a mark stays on its characters while lines above it change.
#include <QList>

struct RollMark {
    // Plain: black on white, where the marking cleared the view's own colours
    // (comment lines); Noun: white on blue; Verb: black on aqua.
    enum class Kind { Plain, Noun, Verb };
    int start = 0; // position in the roll, a line break counting one
    int length = 0;
    Kind kind = Kind::Plain;

    int end() const { return start + length; }
    bool operator==(const RollMark &) const = default;
};

// Sorted marks that do not overlap.
class RollMarkLayer {
public:
    // Replaces every mark; `marks` sorted by start and not overlapping.
    void set(QList<RollMark> marks);
    void clear() { m_marks.clear(); }
    bool isEmpty() const { return m_marks.isEmpty(); }
    const QList<RollMark> &marks() const { return m_marks; }

    // The text had `removed` characters at `position` replaced by `added`:
    // marks after the change move with their characters; marks the change
    // touches are dropped (their word is no longer what was marked). True
    // when any mark moved or went.
    bool follow(int position, int removed, int added);
    // Drops the marks that reach into `from`..`to`. True when any went.
    bool removeRange(int from, int to);
    // The marks that reach into `from`..`to`, in order.
    QList<RollMark> inRange(int from, int to) const;

private:
    // Index of the first mark that ends after `position`.
    qsizetype firstEndingAfter(int position) const;

    QList<RollMark> m_marks;
};
