// The change handler and the undo history of the main window.
#include "app/Remain.h"

#include "history/EditHistory.h"
#include "session/RollSession.h"
#include "app/RollEditor.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>

void TForm1::RichEdit1Change()
{
    // Held while a recolouring runs; the session holds it in a transaction.
    if (!Busy)
        m_session->record();
    RE1_Draw2->start();
}

void TForm1::ClearUndoHistory()
{
    m_session->clearHistory();
}

void TForm1::Undo1Click()
{
    restoreStep(true);
}

void TForm1::Redo1Click()
{
    restoreStep(false);
}

// Puts back the previous (undo) or next (redo) state: the text changes only
// where the states differ, the stored first visible line comes back on top and
// the caret stands where the change shows in that view (caretAfterRestore).
void TForm1::restoreStep(bool undo)
{
    const auto step = undo ? m_session->undo() : m_session->redo();
    if (!step)
        return;
    const TextEdit &edit = step->edit;
    RE1_Draw->start();

    raise();
    activateWindow();
    RichEdit1->scrollToLine(step->firstVisibleLine);
    const QTextDocument *doc = RichEdit1->document();
    const int viewStart = doc->findBlockByNumber(RichEdit1->firstVisibleLine()).position();
    const QTextBlock lastShown = doc->findBlockByNumber(RichEdit1->lastVisibleLine());
    const qsizetype caret = caretAfterRestore(edit.pos, edit.pos + edit.inserted.size(), viewStart,
                                              lastShown.position() + lastShown.length() - 1);
    QTextCursor cursor = RichEdit1->textCursor();
    cursor.setPosition(int(std::min<qsizetype>(caret, doc->characterCount() - 1)));
    RichEdit1->setTextCursor(cursor);
    RichEdit1->ensureCursorVisible();
    RichEdit1->setFocus();
    updateCaretStatus();
}

const EditHistory &TForm1::history() const
{
    return m_session->history();
}
