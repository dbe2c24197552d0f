// View: the font, the limit and caret bars and the gutter's counting are
// EditorView's; the main window gives it the panel's controls.
#include "app/Remain.h"

#include "app/EditorView.h"
#include "app/RollEditor.h"

#include <QAction>
#include <QTimer>

void TForm1::buildView()
{
    EditorView::Widgets widgets;
    widgets.editor = RichEdit1;
    widgets.gutter = LineNo;
    widgets.limitBar = CharPosSign;
    widgets.caretBar = CursorLine;
    widgets.fontName = SelFontName;
    widgets.fontSize = SelFontSize;
    widgets.limitColumn = CharPosValue;
    m_view = std::make_unique<EditorView>(widgets);
    // The bars stand over the editor and must keep its size, also when the
    // preview pane below it opens or closes and the window stays as it is.
    connect(RichEdit1, &RollEditor::resized, this, [this] { m_view->followEditorSize(); });
}

void TForm1::SelFontNameSelect() { m_view->applyFontName(); }
void TForm1::SelFontSizeChange() { m_view->applyFontSize(); }
void TForm1::CharPosValueChange() { m_view->placeLimitBar(); }
void TForm1::placeCaretBar() { m_view->placeCaretBar(); }
void TForm1::keepViewAfterBulkChange(int firstLine, int caretLine) { m_view->keepAfterBulkChange(firstLine, caretLine); }
void TForm1::NoMojiLineClick() { m_view->showLimitBar(!NoMojiLine->isChecked()); }
void TForm1::CaretLine1Click() { m_view->showCaretBar(CaretLine1->isChecked()); }
void TForm1::Splitter1Moved() { m_view->followEditorSize(); }

void TForm1::SlideCountModeClick()
{
    m_view->setSlideCounting(SlideCountMode->isChecked());
    RichEdit1Change();
}

void TForm1::AutoSave1Click()
{
    if (AutoSave1->isChecked())
        AutoSaveTimer->start();
    else
        AutoSaveTimer->stop();
}
