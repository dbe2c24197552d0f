#include "history/EditHistory.h"

TextEdit EditHistory::noteChange(qsizetype pos, qsizetype removedCount, const QString &inserted)
{
    const TextEdit edit = trimmedEdit({pos, m_shadow.replace(pos, removedCount, inserted), inserted});
    if (edit.isEmpty() || m_restoring || m_detached)
        return edit;
    if (m_pending.isEmpty()) {
        m_pending = edit;
    } else if (edit.removed.isEmpty() && edit.pos == m_pending.pos + m_pending.inserted.size()) {
        m_pending.inserted += edit.inserted; // unrecorded typing at the end of the last change
    } else {
        // Undo both changes on a copy to get back the recorded text.
        QString recorded = m_shadow.text();
        edit.reversed().applyTo(recorded);
        m_pending.reversed().applyTo(recorded);
        detach(recorded);
    }
    return edit;
}

void EditHistory::detach(const QString &recordedText)
{
    m_base = recordedText;
    m_detached = true;
    m_pending = {};
}

bool EditHistory::record(int firstVisibleLine)
{
    TextEdit edit = m_detached ? diffTexts(m_base, m_shadow.view()) : m_pending;
    m_pending = {};
    m_detached = false;
    m_base = QString();
    if (edit.isEmpty()) {
        m_ring.setCurrentView(firstVisibleLine);
        return false;
    }
    m_ring.record(std::move(edit), firstVisibleLine);
    return true;
}

std::optional<UndoRing::Step> EditHistory::undo(int firstVisibleLine)
{
    if (!inStep())
        record(firstVisibleLine);
    auto step = m_ring.undo();
    m_restoring = step.has_value();
    return step;
}

std::optional<UndoRing::Step> EditHistory::redo(int firstVisibleLine)
{
    // A change after the last undo has cut off the redo chain, as a recording does.
    if (!inStep() && record(firstVisibleLine))
        return std::nullopt;
    auto step = m_ring.redo();
    m_restoring = step.has_value();
    return step;
}

void EditHistory::clear()
{
    m_ring.clear();
    m_pending = {};
    if (m_shadow.size() == 0) {
        m_detached = false;
        m_base = QString();
    } else {
        detach(QString());
    }
}

void EditHistory::startOver()
{
    m_ring.clear();
    m_pending = {};
    m_detached = false;
    m_base = QString();
}

void EditHistory::resync(const QString &text)
{
    if (!m_detached) {
        QString recorded = m_shadow.text();
        m_pending.reversed().applyTo(recorded);
        detach(recorded);
    }
    m_shadow.assign(text);
}

qsizetype EditHistory::bytesHeld() const
{
    return m_ring.bytesHeld() + (m_base.capacity() + m_pending.removed.capacity()
                                 + m_pending.inserted.capacity()) * qsizetype(sizeof(QChar));
}
