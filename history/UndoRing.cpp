#include "history/UndoRing.h"

#include <algorithm>

TextEdit trimmedEdit(const TextEdit &edit)
{
    const QString &a = edit.removed;
    const QString &b = edit.inserted;
    const qsizetype shorter = std::min(a.size(), b.size());
    qsizetype head = 0;
    while (head < shorter && a.at(head) == b.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && a.at(a.size() - 1 - tail) == b.at(b.size() - 1 - tail))
        ++tail;
    if (head == 0 && tail == 0)
        return edit;
    return {edit.pos + head, a.mid(head, a.size() - head - tail), b.mid(head, b.size() - head - tail)};
}

TextEdit diffTexts(QStringView before, QStringView after)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    return {head, before.mid(head, before.size() - head - tail).toString(),
            after.mid(head, after.size() - head - tail).toString()};
}

qsizetype caretAfterRestore(qsizetype changeStart, qsizetype changeEnd, qsizetype viewStart, qsizetype viewEnd)
{
    const auto shows = [&](qsizetype pos) { return pos >= viewStart && pos <= viewEnd; };
    if (shows(changeEnd))
        return changeEnd;
    if (shows(changeStart))
        return changeStart;
    if (changeStart < viewStart && changeEnd > viewEnd)
        return viewStart;
    return changeEnd;
}

void UndoRing::record(TextEdit edit, int firstVisibleLine)
{
    m_current = (m_current + 1) % kSlots;
    edit.removed.squeeze();
    edit.inserted.squeeze();
    m_slots[size_t(m_current)] = Slot{std::move(edit), firstVisibleLine};
    if (m_current + 1 >= kSlots)
        m_wrapped = true;
    m_top = m_current;
    m_back = std::min(m_back + 1, kSlots - 1);
    m_forward = 0;
}

std::optional<UndoRing::Step> UndoRing::undo()
{
    if (m_back == 0)
        return std::nullopt;
    const TextEdit back = m_slots[size_t(m_current)].link.reversed();
    int i = m_current - 1;
    if (i < 0) {
        if (!m_wrapped)
            return std::nullopt;
        i += kSlots;
        m_wrapped = false;
    }
    m_current = i;
    --m_back;
    ++m_forward;
    return Step{back, m_slots[size_t(i)].firstVisibleLine, caretAfter(back)};
}

std::optional<UndoRing::Step> UndoRing::redo()
{
    if (m_forward == 0 || m_current == m_top)
        return std::nullopt;
    if (m_current + 1 >= kSlots)
        m_wrapped = true;
    m_current = (m_current + 1) % kSlots;
    ++m_back;
    --m_forward;
    const Slot &slot = m_slots[size_t(m_current)];
    return Step{slot.link, slot.firstVisibleLine, caretAfter(slot.link)};
}

void UndoRing::clear()
{
    std::fill(m_slots.begin(), m_slots.end(), Slot{});
    m_current = 0;
    m_back = 0;
    m_forward = 0;
}

qsizetype UndoRing::bytesHeld() const
{
    // A QString with data owns a block of header + capacity + terminator.
    constexpr qsizetype kHeader = 16;
    const auto heap = [](const QString &s) {
        return s.isEmpty() ? qsizetype(0) : kHeader + (s.capacity() + 1) * qsizetype(sizeof(QChar));
    };
    qsizetype bytes = qsizetype(sizeof(*this)) + qsizetype(m_slots.capacity() * sizeof(Slot));
    for (const Slot &slot : m_slots)
        bytes += heap(slot.link.removed) + heap(slot.link.inserted);
    return bytes;
}
