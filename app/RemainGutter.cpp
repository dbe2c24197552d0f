// The line-number gutter's drawing and the status text of the caret.
#include "app/Remain.h"

#include "app/CaretStatus.h"
#include "app/LineNumberGutter.h"
#include "app/RollEditor.h"
#include "roll/GutterLabels.h"

#include <QTextBlock>

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
