#include "app/RollEditor.h"

#include <QKeyEvent>

RollEditor::RollEditor(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setWordWrapMode(QTextOption::NoWrap);
    setTabChangesFocus(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The roll keeps its own undo history of whole states.
    setUndoRedoEnabled(false);
}

bool RollEditor::event(QEvent *e)
{
    if (e->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(e);
        const QKeySequence pressed(key->keyCombination());
        for (const QKeySequence &k : std::as_const(m_commandKeys)) {
            if (k == pressed) {
                e->ignore();
                return true;
            }
        }
    }
    return QPlainTextEdit::event(e);
}
