#include "history/TextShadow.h"

#include <algorithm>
#include <cstring>

namespace {
// memcpy/memmove with a null pointer is undefined even for zero units, and an
// empty vector or an empty view may hand us exactly that.
void copyUnits(char16_t *dst, const char16_t *src, qsizetype count)
{
    if (count > 0)
        std::memmove(dst, src, size_t(count) * sizeof(char16_t));
}
} // namespace

void TextShadow::assign(QStringView text)
{
    m_buf.assign(text.utf16(), text.utf16() + text.size());
    m_gapStart = m_gapEnd = qsizetype(m_buf.size());
}

void TextShadow::moveGap(qsizetype pos)
{
    char16_t *data = m_buf.data();
    if (pos < m_gapStart) {
        const qsizetype count = m_gapStart - pos;
        copyUnits(data + m_gapEnd - count, data + pos, count);
        m_gapStart -= count;
        m_gapEnd -= count;
    } else if (pos > m_gapStart) {
        const qsizetype count = pos - m_gapStart;
        copyUnits(data + m_gapStart, data + m_gapEnd, count);
        m_gapStart += count;
        m_gapEnd += count;
    }
}

void TextShadow::ensureGap(qsizetype length)
{
    if (gapLength() >= length)
        return;
    // Grow geometrically so that a run of insertions stays amortised O(1).
    const qsizetype tail = qsizetype(m_buf.size()) - m_gapEnd;
    const qsizetype newSize = std::max(qsizetype(m_buf.size()) * 3 / 2 + 64, size() + length + 64);
    std::vector<char16_t> grown(size_t(newSize), u'\0');
    copyUnits(grown.data(), m_buf.data(), m_gapStart);
    copyUnits(grown.data() + newSize - tail, m_buf.data() + m_gapEnd, tail);
    m_buf.swap(grown);
    m_gapEnd = newSize - tail;
}

QString TextShadow::replace(qsizetype pos, qsizetype removed, QStringView inserted)
{
    pos = std::clamp<qsizetype>(pos, 0, size());
    removed = std::clamp<qsizetype>(removed, 0, size() - pos);
    moveGap(pos);
    QString gone(reinterpret_cast<const QChar *>(m_buf.data() + m_gapEnd), removed);
    m_gapEnd += removed;
    ensureGap(inserted.size());
    copyUnits(m_buf.data() + m_gapStart, inserted.utf16(), inserted.size());
    m_gapStart += inserted.size();
    return gone;
}

QString TextShadow::mid(qsizetype pos, qsizetype length) const
{
    pos = std::clamp<qsizetype>(pos, 0, size());
    length = std::clamp<qsizetype>(length, 0, size() - pos);
    QString out;
    out.reserve(length);
    const auto *data = reinterpret_cast<const QChar *>(m_buf.data());
    const qsizetype before = std::clamp<qsizetype>(m_gapStart - pos, 0, length);
    out.append(data + pos, before);
    out.append(data + m_gapEnd + (pos + before - m_gapStart), length - before);
    return out;
}

QStringView TextShadow::view()
{
    moveGap(size());
    return QStringView(m_buf.data(), size());
}

QString TextShadow::text() const
{
    return mid(0, size());
}
