// The caption preview pane under the editor, following the caret and typing.
#include "app/Remain.h"

#include "app/RollEditor.h"
#include "reshape/TCaptionPreview.h"

#include <QAction>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>

namespace {

// A longer line is read only this far: it is far past any caption screen, and
// copying all of a pasted megabyte line on every key would slow typing on it.
constexpr int kLongestLineRead = 4096;

QString lineText(const QTextBlock &block)
{
    const int length = block.length() - 1; // without the block's end
    if (length <= kLongestLineRead)
        return block.text();
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + kLongestLineRead, QTextCursor::KeepAnchor);
    QString text = cursor.selectedText();
    if (!text.isEmpty() && text.back().isHighSurrogate())
        text.chop(1);
    return text;
}

// The caret line and up to `around` lines on each side, taken from the
// document's neighbouring blocks: nothing else of the roll is read.
CaretExcerpt caretExcerpt(const QTextBlock &caretBlock, int around)
{
    CaretExcerpt excerpt;
    QList<QTextBlock> blocks{caretBlock};
    for (QTextBlock b = caretBlock.previous(); b.isValid() && blocks.size() <= around; b = b.previous())
        blocks.prepend(b);
    excerpt.caretRow = int(blocks.size()) - 1;
    for (QTextBlock b = caretBlock.next(); b.isValid() && blocks.size() <= excerpt.caretRow + around; b = b.next())
        blocks.append(b);
    for (const QTextBlock &b : std::as_const(blocks))
        excerpt.lines.append(lineText(b));
    return excerpt;
}

} // namespace

void TForm1::buildCaptionPreview()
{
    CaptionPreview = new TCaptionPreview(this);
    addDockWidget(Qt::BottomDockWidgetArea, CaptionPreview);
    CaptionPreview->hide();
    CaptionPreview->setSource(
        [this] { return caretExcerpt(RichEdit1->textCursor().block(), TCaptionPreview::kLinesAround); });
    connect(RichEdit1, &QPlainTextEdit::cursorPositionChanged, CaptionPreview, &TCaptionPreview::scheduleRefresh);
    connect(RichEdit1->document(), &QTextDocument::contentsChanged, CaptionPreview,
            &TCaptionPreview::scheduleRefresh);
    connect(CaptionPreview, &TCaptionPreview::closedByUser, this, [this] { CaptionPreview1->setChecked(false); });
}

void TForm1::CaptionPreview1Click()
{
    if (!CaptionPreview1->isChecked()) {
        CaptionPreview->hide();
        return;
    }
    if (CaptionPreview->isVisible())
        return;
    // The editor and the pane share the central height; the editor keeps at
    // least a third of it, however tall the pane would like to be.
    const int shared = centralWidget()->height();
    const int height = std::min(CaptionPreview->openingHeight(width()), shared - shared / 3);
    CaptionPreview->show();
    // The dock layout takes a size once it has laid the shown pane out.
    QTimer::singleShot(0, this, [this, height] {
        if (CaptionPreview->isVisible())
            resizeDocks({CaptionPreview}, {std::max(1, height)}, Qt::Vertical);
    });
}
