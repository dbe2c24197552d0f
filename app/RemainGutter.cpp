// The line-number gutter's modes, the status text of the caret and the caret bar.
#include "app/Remain.h"

#include "app/CaretStatus.h"
#include "roll/GutterLabels.h"
#include "app/LineNumberGutter.h"
#include "app/RollEditor.h"
#include "platform/Prompter.h"

#include <QAction>
#include <QFrame>
#include <QTextBlock>

using namespace Qt::StringLiterals;

void TForm1::SlideCountModeClick()
{
    const bool on = SlideCountMode->isChecked();
    if (on) {
        if (m_rowsPerSlide < 1)
            m_rowsPerSlide = 10;
        // A cancelled box gives back the default: the rows stay.
        m_rowsPerSlide = rowsPerSlideFromAnswer(Prompter::instance().inputBox(
            u"行表示指示"_s, u"スライド風ロールの１画面行数はいくつですか？"_s, QString::number(m_rowsPerSlide)));
    }
    LineNo->setSlideMode(on, m_rowsPerSlide);
    RichEdit1Change();
}

// The gutter draws from the editor's own lines, so it is always level with
// them; this only asks it to draw again.
void TForm1::LineTimerTimer()
{
    LineNo->update();
}

void TForm1::updateCaretStatus()
{
    const QTextCursor cursor = RichEdit1->textCursor();
    const QTextBlock block = cursor.block();
    const QTextDocument *doc = RichEdit1->document();
    // Counts the document keeps: no walk over the roll on each key.
    setStatusText(caretStatusText(block.blockNumber() + 1,
                                  QStringView(block.text()).left(cursor.positionInBlock()),
                                  rollTotalUnits(doc->characterCount(), doc->blockCount())));
    placeCaretBar();
}

// CursorLine lies along the bottom of the caret line, across the editor.
void TForm1::placeCaretBar()
{
    const int y = RichEdit1->viewport()
                      ->mapTo(CursorLine->parentWidget(), RichEdit1->cursorRect().bottomLeft())
                      .y()
        + 1;
    CursorLine->setGeometry(RichEdit1->x(), y, RichEdit1->width(), CursorLine->height());
    CursorLine->raise();
}
