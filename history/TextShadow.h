#pragma once
// A copy of the editor's text kept in step with every change. The editor only
// reports where a change happened and how many characters it removed; the
// undo history also needs the removed characters themselves, and this copy
// still has them. Line breaks are single '\n' characters, so positions are the
// editor's own. Stored as a gap buffer: a change next to the previous one moves
// nothing, so typing costs the size of the keystroke, not of the roll.
#include <QString>
#include <QStringView>

#include <vector>

class TextShadow {
public:
    qsizetype size() const { return qsizetype(m_buf.size()) - gapLength(); }

    // Replaces the whole text.
    void assign(QStringView text);

    // Replaces `removed` characters at `pos` by `inserted` and returns the
    // characters it removed. `pos` and `removed` are clamped to the text.
    QString replace(qsizetype pos, qsizetype removed, QStringView inserted);

    // `length` characters from `pos` (clamped).
    QString mid(qsizetype pos, qsizetype length) const;

    // The whole text as one view, valid until the next replace/assign. Moves
    // the gap to the end: linear once, free while nothing changes.
    QStringView view();
    QString text() const;

    // Heap bytes held by the copy.
    qsizetype bytesHeld() const { return qsizetype(m_buf.capacity() * sizeof(char16_t)); }

private:
    qsizetype gapLength() const { return m_gapEnd - m_gapStart; }
    void moveGap(qsizetype pos);
    void ensureGap(qsizetype length);

    std::vector<char16_t> m_buf;
    qsizetype m_gapStart = 0;
    qsizetype m_gapEnd = 0;
};
