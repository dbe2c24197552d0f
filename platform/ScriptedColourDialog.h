#pragma once
// A colour dialog with scripted answers that records what was asked.
#include "platform/ColourDialog.h"

#include <QList>
#include <QQueue>

class ScriptedColourDialog : public ColourDialog {
public:
    struct Asked {
        QString caption;
        QColor initial;
    };

    // Answers are used in order; an invalid colour, or none left, cancels.
    void answer(const QColor &colour) { m_answers.enqueue(colour); }
    const QList<Asked> &asked() const { return m_asked; }
    void clear()
    {
        m_asked.clear();
        m_answers.clear();
    }

    QColor choose(const QString &caption, const QColor &initial) override;

private:
    QList<Asked> m_asked;
    QQueue<QColor> m_answers;
};
