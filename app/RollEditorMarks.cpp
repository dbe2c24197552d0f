// The part-of-speech marks of the roll editor, shown as extra selections:
// drawn over the highlighter's colours, under the user's selection.
#include "app/RollEditor.h"

#include <QScrollBar>
#include <QTextLayout>

#include <algorithm>

namespace {

QTextCharFormat markFormat(RollMark::Kind kind)
{
    QTextCharFormat format;
    switch (kind) {
    case RollMark::Kind::Plain:
        format.setForeground(QColor(0, 0, 0));
        format.setBackground(QColor(255, 255, 255));
        break;
    case RollMark::Kind::Noun:
        format.setForeground(QColor(255, 255, 255));
        format.setBackground(QColor(0, 0, 255));
        break;
    case RollMark::Kind::Verb:
        format.setForeground(QColor(0, 0, 0));
        format.setBackground(QColor(0, 255, 255));
        break;
    }
    return format;
}

} // namespace

void RollEditor::setMarks(QList<RollMark> marks)
{
    m_marks.set(std::move(marks));
    marksChanged();
}

void RollEditor::clearMarks()
{
    if (m_marks.isEmpty())
        return;
    m_marks.clear();
    marksChanged();
}

void RollEditor::clearMarksOfLine(const QTextBlock &block)
{
    if (block.isValid() && m_marks.removeRange(block.position(), block.position() + block.length() - 1))
        marksChanged();
}

void RollEditor::marksChanged()
{
    ++m_marksRevision;
    viewport()->update();
}

void RollEditor::showMarksInView()
{
    if (m_marks.isEmpty() && !m_marksShown.any)
        return;
    MarksShown now{m_marksRevision, firstVisibleLine(), lastVisibleLine(), horizontalScrollBar()->value(),
                   viewport()->width(), false};
    now.any = m_marksShown.any; // compared apart: it says what was shown, not what is asked
    if (now == m_marksShown)
        return;

    QList<QTextEdit::ExtraSelection> shown;
    const QPointF offset = contentOffset();
    const int width = viewport()->width();
    for (QTextBlock block = firstVisibleBlock(); block.isValid() && block.blockNumber() <= now.lastLine;
         block = block.next()) {
        int from = block.position();
        int to = from + block.length() - 1;
        if (block.length() - 1 > kSteadyCaretLineLength) {
            // Only the characters across the view: a pasted manuscript line may
            // carry a hundred thousand marks.
            const QRectF band = blockBoundingGeometry(block).translated(offset);
            const QTextLayout *layout = block.layout();
            if (layout && layout->lineCount() > 0) {
                const QTextLine line = layout->lineAt(0);
                const qreal left = band.left() + layout->position().x();
                from = block.position() + std::max(0, line.xToCursor(-left) - 1);
                to = std::min(to, block.position() + line.xToCursor(width - left) + 1);
            }
        }
        for (const RollMark &mark : m_marks.inRange(from, to)) {
            QTextEdit::ExtraSelection selection;
            selection.cursor = QTextCursor(document());
            selection.cursor.setPosition(mark.start);
            selection.cursor.setPosition(mark.end(), QTextCursor::KeepAnchor);
            selection.format = markFormat(mark.kind);
            shown.append(selection);
        }
    }
    now.any = !shown.isEmpty();
    m_marksShown = now;
    setExtraSelections(shown);
}
