#include "platform/ScriptedColourDialog.h"

QColor ScriptedColourDialog::choose(const QString &caption, const QColor &initial)
{
    m_asked.append({caption, initial});
    return m_answers.isEmpty() ? QColor() : m_answers.dequeue();
}
