#include "platform/ScriptedPrintDialogs.h"

void ScriptedPrintDialogs::clear()
{
    m_setups.clear();
    m_previews.clear();
    m_setupsShown = 0;
    m_previewCaptions.clear();
}

std::optional<QString> ScriptedPrintDialogs::setupPrinter(QPrinter &)
{
    ++m_setupsShown;
    return m_setups.isEmpty() ? std::nullopt : m_setups.dequeue();
}

bool ScriptedPrintDialogs::preview(QPrinter &, const std::function<void(QPrinter &)> &, const QString &caption)
{
    m_previewCaptions.append(caption);
    return m_previews.isEmpty() || m_previews.dequeue();
}
