#include "app/RollEditor.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

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

QString RollEditor::textRange(int from, int to) const
{
    QTextCursor cursor(document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    return cursor.selectedText().replace(QChar::ParagraphSeparator, u'\n');
}

QString RollEditor::rollText() const
{
    return textRange(0, document()->characterCount() - 1);
}

void RollEditor::replaceRange(int from, int to, const QString &text)
{
    QTextCursor cursor(document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    cursor.insertText(text);
}

int RollEditor::firstVisibleLine() const
{
    return verticalScrollBar()->value();
}

void RollEditor::scrollToLine(int line)
{
    verticalScrollBar()->setValue(line);
}
