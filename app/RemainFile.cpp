// File menu: the document commands are DocumentFiles'; the main window gives
// them the editor.
#include "app/Remain.h"

#include "analysis/TSetChasen.h"
#include "app/AppWindows.h"
#include "app/DocumentFiles.h"
#include "app/RollEditor.h"
#include "session/RollSession.h"
#include "roll/RollDocument.h"

#include <QLabel>
#include <QLineEdit>

void TForm1::buildDocumentFiles()
{
    DocumentFiles::Editor editor;
    editor.fileLines = [this] { return documentLines(*RichEdit1->document()); };
    editor.takeNewRoll = [this](const QString &text) { takeNewRoll(text); };
    editor.emptyRoll = [this] {
        {
            const RollSession::Transaction step(*m_session);
            RichEdit1->clear();
        }
        ForceRecolorClick(); // empties the tag-jump list
        ClearUndoHistory();
        updateCaretStatus();
    };
    editor.showStatusNow = [this] { StatusBar1->repaint(); };
    editor.filterProgram = [] { return SetChasen->xdoc2txt->text(); };
    m_files = std::make_unique<DocumentFiles>(*m_rollAccess, std::move(editor));
    m_files->acceptDrops(this, RichEdit1->viewport());
}

void TForm1::takeNewRoll(const QString &text)
{
    {
        const RollSession::Transaction step(*m_session);
        setWholeText(text);
        colourWholeText(text);
    }
    ForceRecolorClick();
    // The new roll from its start, and the status with its size.
    RichEdit1->scrollToLeftEdge();
    updateCaretStatus();
}

DocumentFiles &TForm1::documentFiles() { return *m_files; }

void TForm1::New1Click() { m_files->newRoll(); }
void TForm1::O1Click() { m_files->openWithDialog(); }
void TForm1::Saveas1Click() { m_files->saveWithDialog(); }
bool TForm1::SaveDocumentWithDialog() { return m_files->saveWithDialog(); }
bool TForm1::SaveRoll(const QString &path) { return m_files->save(path); }
bool TForm1::LoadDocument(const QString &path) { return m_files->load(path); }
void TForm1::FormDropFiles(const QStringList &paths) { m_files->dropFiles(paths); }
