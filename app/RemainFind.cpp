// Find, find next and replace of the Edit and context menus.
#include "app/Remain.h"

#include "history/EditHistory.h"
#include "roll/FlagHold.h"
#include "app/FindDialogs.h"
#include "app/RollEditor.h"
#include "roll/TextSearch.h"
#include "history/UndoRing.h"
#include "platform/Prompter.h"

#include <QTextCursor>

using namespace Qt::StringLiterals;

namespace {

const QString kNotFound = u"該当文字列が見つかりません。"_s;

// Shows a dialog with its top-left corner at the editor's top-right corner.
void showBeside(QDialog *dialog, const QWidget *editor)
{
    dialog->move(editor->mapToGlobal(QPoint(editor->width(), 0)));
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace

void TForm1::SearchClick()
{
    showBeside(FindDialog1, RichEdit1);
}

void TForm1::Next1Click()
{
    FindDialog1Find(FindDialog1->findText());
}

void TForm1::Replace1Click()
{
    showBeside(ReplaceDialog1, RichEdit1);
}

void TForm1::FindDialog1Find(const QString &findText)
{
    const QTextCursor current = RichEdit1->textCursor();
    const qsizetype from = FindStart(current.hasSelection(), current.selectionStart(), findText);
    const qsizetype hit = FindForward(m_history->shadow().view(), findText, from);
    if (hit < 0) {
        showMessage(kNotFound, u"検索"_s);
        return;
    }
    RichEdit1->setFocus();
    QTextCursor cursor = RichEdit1->textCursor();
    cursor.setPosition(int(hit));
    cursor.setPosition(int(hit + findText.size()), QTextCursor::KeepAnchor);
    RichEdit1->setTextCursor(cursor);
    RichEdit1->ensureCursorVisible();
}

void TForm1::ReplaceDialog1Replace(bool all)
{
    const QString findText = ReplaceDialog1->findText();
    const QString replacement = ReplaceDialog1->replaceText();
    FlagHold suppressed(RecolorSuppressed);
    if (all) {
        setStatusText(u"置換実施中・・・"_s);
        const QString before = m_history->shadow().text();
        const QString after = ReplaceAll(before, findText, replacement);
        RichEdit1Change();
        const int firstLine = RichEdit1->firstVisibleLine();
        const int caretLine = RichEdit1->textCursor().blockNumber();
        // One change covering what differs: recorded as one state, and the
        // lines above and below keep their layout and the view its place.
        const TextEdit edit = diffTexts(before, after);
        if (!edit.isEmpty())
            RichEdit1->replaceRange(int(edit.pos), int(edit.pos + edit.removed.size()), edit.inserted);
        keepViewAfterBulkChange(firstLine, caretLine);
        setStatusText(QString());
        suppressed.release();
        ForceRecolorClick();
        showMessage(u"終了しました。"_s, u"置換"_s);
        return;
    }
    const qsizetype hit = FindForward(m_history->shadow().view(), findText, 0);
    if (hit < 0) {
        suppressed.release();
        showMessage(kNotFound, u"置換"_s);
        return;
    }
    RichEdit1Change();
    QTextCursor cursor = RichEdit1->textCursor();
    cursor.setPosition(int(hit));
    cursor.setPosition(int(hit + findText.size()), QTextCursor::KeepAnchor);
    cursor.insertText(replacement);
    RichEdit1->setTextCursor(cursor);
}
