// Edit menu: find and replace are FindCommands'.
#include "app/Remain.h"

#include "app/FindCommands.h"
#include "session/RollSession.h"

void TForm1::buildFindCommands()
{
    FindCommands::Editor editor;
    editor.editor = RichEdit1;
    editor.history = &m_session->history();
    editor.recolorSuppressed = &RecolorSuppressed;
    editor.keepView = [this](int firstLine, int caretLine) { keepViewAfterBulkChange(firstLine, caretLine); };
    m_find = new FindCommands(*m_rollAccess, std::move(editor), this);
    FindDialog1 = m_find->findDialog();
    ReplaceDialog1 = m_find->replaceDialog();
}

void TForm1::SearchClick() { m_find->showFind(); }
void TForm1::Next1Click() { m_find->findNext(); }
void TForm1::Replace1Click() { m_find->showReplace(); }
void TForm1::FindDialog1Find(const QString &findText) { m_find->find(findText); }
void TForm1::ReplaceDialog1Replace(bool all) { m_find->replace(all); }
