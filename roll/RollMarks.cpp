#include "roll/RollMarks.h"

#include <algorithm>

void RollMarkLayer::set(QList<RollMark> marks)
{
    m_marks = std::move(marks);
}

qsizetype RollMarkLayer::firstEndingAfter(int position) const
{
    // Marks do not overlap, so their ends are sorted as their starts are.
    return std::upper_bound(m_marks.cbegin(), m_marks.cend(), position,
                            [](int p, const RollMark &m) { return p < m.end(); })
           - m_marks.cbegin();
}

bool RollMarkLayer::follow(int position, int removed, int added)
{
    if (m_marks.isEmpty() || (removed == 0 && added == 0))
        return false;
    // Marks ending at or before the change stay (typing right after a word);
    // of the rest, one that starts before the end of the removed part is
    // touched (with nothing removed: the insertion falls inside it); those
    // after it only move.
    const qsizetype first = firstEndingAfter(position);
    const int changeEnd = position + removed;
    qsizetype last = first;
    while (last < m_marks.size() && m_marks.at(last).start < changeEnd)
        ++last;
    m_marks.remove(first, last - first);
    const int shift = added - removed;
    if (shift != 0) {
        for (qsizetype i = first; i < m_marks.size(); ++i)
            m_marks[i].start += shift;
    }
    return last > first || (shift != 0 && first < m_marks.size());
}

bool RollMarkLayer::removeRange(int from, int to)
{
    if (from >= to)
        return false;
    const qsizetype first = firstEndingAfter(from);
    qsizetype last = first;
    while (last < m_marks.size() && m_marks.at(last).start < to)
        ++last;
    m_marks.remove(first, last - first);
    return last > first;
}

QList<RollMark> RollMarkLayer::inRange(int from, int to) const
{
    QList<RollMark> out;
    if (from >= to)
        return out;
    for (qsizetype i = firstEndingAfter(from); i < m_marks.size() && m_marks.at(i).start < to; ++i)
        out.append(m_marks.at(i));
    return out;
}
