// The change handler and the undo history of the main window.
#include "app/Remain.h"

#include "history/EditHistory.h"
#include "app/RollEditor.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>

void TForm1::RichEdit1ContentsChange(int position, int charsRemoved, int charsAdded)
{
    if (m_colouringWholeText)
        return; // formats only: the text and the history stay as they are
    QTextDocument *doc = RichEdit1->document();
    const int length = doc->characterCount() - 1;
    // Some changes count the document's closing paragraph mark, which is no
    // text: take it off both counts.
    const int end = std::min(position + charsAdded, length);
    const int removed = std::max(0, charsRemoved - (position + charsAdded - end));
    const bool whole = m_incomingText && position == 0 && end == length && m_incomingText->size() == length;
    const TextEdit edit =
        m_history->noteChange(position, removed, whole ? *m_incomingText : RichEdit1->textRange(position, end));
    if (m_history->shadow().size() != length)
        m_history->resync(RichEdit1->rollText());
    if (edit.isEmpty())
        return; // formatting only
    const int first = doc->findBlock(int(edit.pos)).blockNumber();
    updateTagsForChange(first, first + int(edit.removed.count(u'\n')),
                        first + int(edit.inserted.count(u'\n')));
    RichEdit1Change();
}

void TForm1::RichEdit1Change()
{
    // The editor's own undo is switched off, so there is no buffer to clear.
    if (!Busy && !BulkOperation)
        m_history->record(RichEdit1->firstVisibleLine());
    RE1_Draw2->start();
}

void TForm1::ClearUndoHistory()
{
    m_history->clear();
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
    const int firstLine = RichEdit1->firstVisibleLine();
    const auto step = undo ? m_history->undo(firstLine) : m_history->redo(firstLine);
    if (!step)
        return;
    Busy = true;
    const TextEdit &edit = step->edit;
    RichEdit1->replaceRange(int(edit.pos), int(edit.pos + edit.removed.size()), edit.inserted);
    m_history->endRestore();
    RE1_Draw->start();
    Busy = false;

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
