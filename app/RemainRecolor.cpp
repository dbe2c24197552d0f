// The editor view: comment colouring, the tag-jump list and its timers.
//
// Colours come from RollHighlighter, which colours each changed line as the
// editor lays it out. The tag-jump list follows every change at once: entries
// of changed lines are rebuilt and the entries below move with their lines.
// The two timers keep their roles: RE1_Draw brings the whole list and every
// colour up to date, RE1_Draw2 the caret line.
#include "app/Remain.h"

#include "history/EditHistory.h"
#include "session/RollSession.h"
#include "app/RollEditor.h"
#include "roll/RollHighlighter.h"
#include "roll/TagList.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QTextBlock>
#include <QTimer>

namespace {
// A change spanning more lines than this rescans the roll instead of the lines.
constexpr int kRescanLineLimit = 256;
} // namespace

void TForm1::buildEditorView()
{
    m_session->setStartingUp(true); // until the window shows
    m_session->setViewLine([this] { return RichEdit1->firstVisibleLine(); });
    m_session->setWholeTextShower([this](const QString &text) { RichEdit1->setPlainText(text); });
    m_highlighter = new RollHighlighter(
        RichEdit1->document(), [this] { return commentKinds(); },
        [this] { return RecolorSuppressed || NoRecolor->isChecked(); });
    static_assert(RollHighlighter::kSpacesByFormatUpTo == RollEditor::kSteadyCaretLineLength);
    RichEdit1->setLongLineSpaceBackground(RollHighlighter::spaceBackground());
    m_tags = new TagListModel(QueJump);
    QueJump->setModel(m_tags);
    connect(m_session.get(), &RollSession::linesChanged, this, &TForm1::updateTagsForChange);
    connect(m_session.get(), &RollSession::changed, this, &TForm1::RichEdit1Change);
    // One recolouring for a whole command, however many changes it made.
    connect(m_session.get(), &RollSession::transactionEnded, this, [this] {
        RE1_Draw->start();
        RE1_Draw2->start();
    });
    for (QCheckBox *box : {Cmt1, Cmt2, Cmt3, Cmt4})
        connect(box, &QCheckBox::toggled, this, &TForm1::Cmt1Click);

    buildFindCommands();
}

void TForm1::ForceRecolorClick()
{
    RE1_Draw->start();
    RichEdit1Change();
}

void TForm1::NoRecolorClick()
{
    // The check mark itself freezes the colours (RollHighlighter asks for it);
    // the tag-jump list and the ideographic spaces keep following the text.
    if (!NoRecolor->isChecked())
        RichEdit1Change();
}

void TForm1::Cmt1Click()
{
    ForceRecolorClick();
}

void TForm1::rebuildTags()
{
    m_tags->reset(ScanTags(m_session->history().shadow().view(), commentKinds()));
    m_tagsStale = false;
}

void TForm1::updateTagsForChange(int firstLine, int oldLastLine, int newLastLine)
{
    if (m_tagsStale)
        return;
    if (RecolorSuppressed) {
        // A bulk command: its closing ForceRecolorClick rebuilds the list.
        m_tagsStale = true;
        return;
    }
    if (newLastLine - firstLine > kRescanLineLimit) {
        rebuildTags();
        return;
    }
    m_tags->replaceLines(firstLine, oldLastLine, newLastLine);
    const CommentKinds kinds = commentKinds();
    QTextBlock block = RichEdit1->document()->findBlockByNumber(firstLine);
    for (int line = firstLine; line <= newLastLine && block.isValid(); ++line, block = block.next())
        m_tags->updateLine(line, block.text(), kinds);
}

void TForm1::RE1_DrawTimer()
{
    if (Busy) {
        RE1_Draw->start(); // an undo is replacing the text: next tick
        return;
    }
    RE1_Draw->stop();
    Busy = true;
    if (!RecolorSuppressed && !m_drawing) {
        m_drawing = true;
        rebuildTags();
        if (!NoRecolor->isChecked()) {
            m_highlighter->recolourAll();
            RichEdit1->clearMarks(); // every line is coloured again
        }
        m_drawing = false;
    }
    Busy = false;
}

void TForm1::RE1_Draw2Timer()
{
    if (Busy) {
        RE1_Draw2->start();
        return;
    }
    RE1_Draw2->stop();
    Busy = true;
    if (!RecolorSuppressed && !m_drawing) {
        m_drawing = true;
        if (m_tagsStale)
            rebuildTags();
        const QTextBlock block = RichEdit1->textCursor().block();
        m_tags->updateLine(block.blockNumber(), block.text(), commentKinds());
        if (!NoRecolor->isChecked()) {
            m_highlighter->refreshBlock(block);
            RichEdit1->clearMarksOfLine(block); // the caret line's own colours come back
        }
        m_drawing = false;
    }
    Busy = false;
}

void TForm1::QueJumpSelect()
{
    if (m_tagsStale) {
        rebuildTags(); // the entry chosen may name a line that has moved
        return;
    }
    const int line = m_tags->lineAt(QueJump->currentIndex());
    if (line < 0)
        return;
    RichEdit1->setFocus();
    RichEdit1->scrollToLine(line);
    update();
}
