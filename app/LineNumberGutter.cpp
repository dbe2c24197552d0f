#include "app/LineNumberGutter.h"

#include "roll/GutterLabels.h"
#include "app/RollEditor.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>

namespace {
// Room between the numbers and the editor.
constexpr int kRightPadding = 2;
} // namespace

LineNumberGutter::LineNumberGutter(RollEditor *editor, QWidget *parent)
    : QWidget(parent)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("LineNo"));
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    connect(editor, &QPlainTextEdit::updateRequest, this, &LineNumberGutter::editorUpdated);
    connect(editor, &QPlainTextEdit::blockCountChanged, this, qOverload<>(&QWidget::update));
}

void LineNumberGutter::setSlideMode(bool on, int rowsPerSlide)
{
    m_slideMode = on;
    m_rowsPerSlide = rowsPerSlide;
    update();
}

// The editor repaints `rect` of its viewport, or scrolled by `dy`.
void LineNumberGutter::editorUpdated(const QRect &rect, int dy)
{
    if (dy != 0) {
        update(); // a few dozen labels: cheaper than keeping scrolled pixels right
        return;
    }
    update(0, rect.y() + viewportOffset(), width(), rect.height());
}

// How far below the gutter's top the editor's viewport begins.
int LineNumberGutter::viewportOffset() const
{
    const QWidget *top = window();
    return m_editor->viewport()->mapTo(top, QPoint()).y() - mapTo(top, QPoint()).y();
}

QList<LineNumberGutter::Row> LineNumberGutter::visibleRows() const
{
    QList<Row> rows;
    const int offset = viewportOffset();
    const int bottom = offset + m_editor->viewport()->height();
    QTextBlock block = m_editor->firstDrawnLine();
    // Numbered once, then counted on: finding a block's number walks the document.
    for (int line = block.blockNumber(); block.isValid(); block = block.next(), ++line) {
        const QRectF r = m_editor->lineRect(block);
        const int top = qRound(r.top()) + offset;
        if (top >= bottom)
            break;
        rows.append({gutterLabel(line, m_slideMode, m_rowsPerSlide),
                     QRect(0, top, width(), qRound(r.height()))});
    }
    return rows;
}

void LineNumberGutter::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Midlight));
    // Lines that run on below the viewport (behind the editor's scroll bar)
    // are not in view: no number beside them.
    const int offset = viewportOffset();
    painter.setClipRect(QRect(0, offset, width(), m_editor->viewport()->height()) & event->rect());
    painter.setPen(palette().color(QPalette::WindowText));
    for (const Row &row : visibleRows()) {
        if (row.rect.intersects(event->rect()))
            painter.drawText(row.rect.adjusted(0, 0, -kRightPadding, 0), Qt::AlignRight | Qt::AlignVCenter,
                             row.label);
    }
}
