#pragma once
// Printer dialogs with scripted answers that record what was shown.
#include "platform/PrintDialogs.h"

#include <QQueue>
#include <QStringList>

class ScriptedPrintDialogs : public PrintDialogs {
public:
    // Answers are taken in order; without one the preview sends and the
    // setup is cancelled.
    void answerSetup(std::optional<QString> chosenPrinter) { m_setups.enqueue(std::move(chosenPrinter)); }
    void answerPreview(bool send) { m_previews.enqueue(send); }

    int setupsShown() const { return m_setupsShown; }
    const QStringList &previewCaptions() const { return m_previewCaptions; }
    void clear();

    std::optional<QString> setupPrinter(QPrinter &printer) override;
    bool preview(QPrinter &printer, const std::function<void(QPrinter &)> &paint,
                 const QString &caption) override;

private:
    QQueue<std::optional<QString>> m_setups;
    QQueue<bool> m_previews;
    int m_setupsShown = 0;
    QStringList m_previewCaptions;
};
