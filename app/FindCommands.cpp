// Find and replace (see the header).
#include "app/FindCommands.h"

#include "app/FindDialogs.h"
#include "app/RollEditor.h"
#include "history/EditHistory.h"
#include "history/UndoRing.h"
#include "platform/Prompter.h"
#include "roll/FlagHold.h"
#include "roll/RollAccess.h"
#include "roll/TextSearch.h"

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

FindCommands::FindCommands(RollAccess &roll, Editor editor, QWidget *window)
    : QObject(window), m_roll(roll), m_editor(std::move(editor))
{
    m_find = new TFindDialog(window);
    m_replace = new TReplaceDialog(window);
    connect(m_find, &TFindDialog::find, this, [this] { find(m_find->findText()); });
    connect(m_replace, &TFindDialog::find, this, [this] { find(m_replace->findText()); });
    connect(m_replace, &TReplaceDialog::replace, this, [this] { replace(false); });
    connect(m_replace, &TReplaceDialog::replaceAll, this, [this] { replace(true); });
}

void FindCommands::showFind()
{
    showBeside(m_find, m_editor.editor);
}

void FindCommands::findNext()
{
    find(m_find->findText());
}

void FindCommands::showReplace()
{
    showBeside(m_replace, m_editor.editor);
}

void FindCommands::find(const QString &findText)
{
    RollEditor &editor = *m_editor.editor;
    const QTextCursor current = editor.textCursor();
    const qsizetype from = FindStart(current.hasSelection(), current.selectionStart(), findText);
    const qsizetype hit = FindForward(m_editor.history->shadow().view(), findText, from);
    if (hit < 0) {
        showMessage(kNotFound, u"検索"_s);
        return;
    }
    editor.setFocus();
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(int(hit));
    cursor.setPosition(int(hit + findText.size()), QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
    editor.ensureCursorVisible();
}

void FindCommands::replace(bool all)
{
    RollEditor &editor = *m_editor.editor;
    const QString findText = m_replace->findText();
    const QString replacement = m_replace->replaceText();
    FlagHold suppressed(*m_editor.recolorSuppressed);
    if (all) {
        m_roll.setStatusText(u"置換実施中・・・"_s);
        const QString before = m_editor.history->shadow().text();
        const QString after = ReplaceAll(before, findText, replacement);
        m_roll.recordState();
        const int firstLine = editor.firstVisibleLine();
        const int caretLine = editor.textCursor().blockNumber();
        // One change covering what differs: recorded as one state, and the
        // lines above and below keep their layout and the view its place.
        const TextEdit edit = diffTexts(before, after);
        if (!edit.isEmpty())
            editor.replaceRange(int(edit.pos), int(edit.pos + edit.removed.size()), edit.inserted);
        m_editor.keepView(firstLine, caretLine);
        m_roll.setStatusText(QString());
        suppressed.release();
        m_roll.recolour();
        showMessage(u"終了しました。"_s, u"置換"_s);
        return;
    }
    const qsizetype hit = FindForward(m_editor.history->shadow().view(), findText, 0);
    if (hit < 0) {
        suppressed.release();
        showMessage(kNotFound, u"置換"_s);
        return;
    }
    m_roll.recordState();
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(int(hit));
    cursor.setPosition(int(hit + findText.size()), QTextCursor::KeepAnchor);
    cursor.insertText(replacement);
    editor.setTextCursor(cursor);
}
