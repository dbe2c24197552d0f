#include "app/TextShadow.h"

#include <algorithm>
#include <cstring>

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
        std::memmove(data + m_gapEnd - count, data + pos, size_t(count) * sizeof(char16_t));
        m_gapStart -= count;
        m_gapEnd -= count;
    } else if (pos > m_gapStart) {
        const qsizetype count = pos - m_gapStart;
        std::memmove(data + m_gapStart, data + m_gapEnd, size_t(count) * sizeof(char16_t));
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
    std::memcpy(grown.data(), m_buf.data(), size_t(m_gapStart) * sizeof(char16_t));
    std::memcpy(grown.data() + newSize - tail, m_buf.data() + m_gapEnd,
                size_t(tail) * sizeof(char16_t));
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
    std::memcpy(m_buf.data() + m_gapStart, inserted.utf16(), size_t(inserted.size()) * sizeof(char16_t));
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
