#include "app/RollEditor.h"

#include "roll/RollFile.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QWheelEvent>

#include <algorithm>

RollEditor::RollEditor(QWidget *parent)
    : RollEditor(nullptr, parent)
{
}

RollEditor::RollEditor(QTextDocument *document, QWidget *parent)
    : QPlainTextEdit(parent)
{
    if (document) {
        document->setDocumentLayout(new QPlainTextDocumentLayout(document));
        setDocument(document);
    }
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setWordWrapMode(QTextOption::NoWrap);
    setTabChangesFocus(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The roll keeps its own undo history of whole states.
    setUndoRedoEnabled(false);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &RollEditor::updateCaretBlink);
    connect(this, &QPlainTextEdit::textChanged, this, &RollEditor::updateCaretBlink);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &RollEditor::updateCaretBlink);
    connect(this->document(), &QTextDocument::contentsChange, this, [this](int position, int removed, int added) {
        if (m_marks.follow(position, removed, added))
            marksChanged();
    });
}

void RollEditor::updateCaretBlink()
{
    const bool longLine = keepLongLinesShaped();
    setSteadyCaret(hasFocus() && longLine);
}

// Qt lets a line's glyphs go once it is laid out, so every paint and every
// caret position shapes the whole line again: on a line of a hundred thousand
// characters several times per keystroke. A long line in view keeps them; the
// flag stays with the line's layout, so this is needed once per line.
bool RollEditor::keepLongLinesShaped()
{
    // Any line in view counts: the caret's repaint draws the lines beside it too.
    // Lines are never wrapped, so no more lines than this fit in the view.
    // Counted rather than measured: in the middle of a change, lines not yet
    // laid out measure nothing, and measuring every line of a new text lays
    // out all of them.
    bool any = false;
    int room = viewport()->height() / std::max(1, fontMetrics().lineSpacing()) + 2;
    for (QTextBlock block = firstVisibleBlock(); block.isValid() && room > 0; block = block.next(), --room) {
        if (block.length() > kSteadyCaretLineLength) {
            block.layout()->setCacheEnabled(true);
            any = true;
        }
    }
    return any;
}

void RollEditor::setLongLineSpaceBackground(const QColor &colour)
{
    m_longLineSpaceBackground = colour;
    viewport()->update();
}

void RollEditor::paintEvent(QPaintEvent *e)
{
    showMarksInView();
    QPlainTextEdit::paintEvent(e);
    if (!m_longLineSpaceBackground.isValid())
        return;
    QPainter painter(viewport());
    const QPointF offset = contentOffset();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF band = blockBoundingGeometry(block).translated(offset);
        if (band.top() > e->rect().bottom())
            break;
        if (block.length() - 1 > kSteadyCaretLineLength) // the highlighter's rule, without the break
            paintSpacesOfLongLine(painter, block, band, e->rect());
    }
}

// Only the characters within the painted area are looked at, so the cost
// does not grow with the line.
void RollEditor::paintSpacesOfLongLine(QPainter &painter, const QTextBlock &block, const QRectF &band,
                                       const QRect &area)
{
    const QTextLayout *layout = block.layout();
    if (!layout || layout->lineCount() == 0)
        return;
    const QTextLine line = layout->lineAt(0); // lines are never wrapped
    const QPointF origin = band.topLeft() + layout->position();
    const int first = std::max(0, line.xToCursor(area.left() - origin.x()) - 1);
    const int last = std::min(block.length() - 1, line.xToCursor(area.right() - origin.x()) + 1);
    const QTextCursor selection = textCursor();
    const QTextDocument *doc = document();
    for (int i = first; i < last; ++i) {
        const int position = block.position() + i;
        if (doc->characterAt(position) != QChar(0x3000))
            continue;
        if (position >= selection.selectionStart() && position < selection.selectionEnd())
            continue; // the selection shows instead, as over a format
        const qreal left = line.cursorToX(i);
        const qreal right = line.cursorToX(i + 1);
        painter.fillRect(QRectF(origin.x() + left, origin.y() + line.y(), right - left, line.height()),
                         m_longLineSpaceBackground);
    }
}

void RollEditor::setSteadyCaret(bool steady)
{
    if (steady == m_steadyCaret)
        return;
    m_steadyCaret = steady;
    QStyleHints *hints = QGuiApplication::styleHints();
    if (steady) {
        m_flashTime = hints->cursorFlashTime();
        hints->setCursorFlashTime(0);
    } else {
        hints->setCursorFlashTime(m_flashTime);
    }
    // The text control reads the setting only when its caret is shown anew:
    // hide and show it (as a popup would, which leaves the selection alone).
    if (hasFocus()) {
        QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason);
        QPlainTextEdit::focusOutEvent(&out);
        QFocusEvent in(QEvent::FocusIn, Qt::PopupFocusReason);
        QPlainTextEdit::focusInEvent(&in);
    }
}

void RollEditor::focusInEvent(QFocusEvent *e)
{
    QPlainTextEdit::focusInEvent(e);
    updateCaretBlink();
}

void RollEditor::focusOutEvent(QFocusEvent *e)
{
    setSteadyCaret(false);
    QPlainTextEdit::focusOutEvent(e);
}

bool RollEditor::event(QEvent *e)
{
    if (e->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(e);
        const QKeySequence pressed(key->keyCombination());
        for (const QKeySequence &k : std::as_const(m_commandKeys)) {
            if (k == pressed) {
                e->ignore();
                return true;
            }
        }
    }
    return QPlainTextEdit::event(e);
}

void RollEditor::keyPressEvent(QKeyEvent *e)
{
    // Shift+Enter would put a soft break inside the line: a roll has only
    // real line breaks, so it ends the line like Enter.
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && (e->modifiers() & Qt::ShiftModifier)) {
        QKeyEvent plain(e->type(), e->key(), e->modifiers() & ~Qt::ShiftModifier, e->text(), e->isAutoRepeat(),
                        ushort(e->count()));
        QPlainTextEdit::keyPressEvent(&plain);
        e->setAccepted(plain.isAccepted());
        Q_EMIT inputHandled();
        return;
    }
    QPlainTextEdit::keyPressEvent(e);
    Q_EMIT inputHandled();
}

void RollEditor::keyReleaseEvent(QKeyEvent *e)
{
    QPlainTextEdit::keyReleaseEvent(e);
    Q_EMIT inputHandled();
}

void RollEditor::mousePressEvent(QMouseEvent *e)
{
    QPlainTextEdit::mousePressEvent(e);
    Q_EMIT inputHandled();
}

void RollEditor::mouseReleaseEvent(QMouseEvent *e)
{
    QPlainTextEdit::mouseReleaseEvent(e);
    Q_EMIT inputHandled();
}

void RollEditor::wheelEvent(QWheelEvent *e)
{
    QPlainTextEdit::wheelEvent(e);
    Q_EMIT inputHandled();
}

void RollEditor::insertFromMimeData(const QMimeData *source)
{
    // The editor itself breaks lines at CR LF, CR and U+2029 only; U+2028 and
    // NEL would stay inside a roll line.
    if (source && source->hasText()) {
        const QString text = source->text();
        const QString lines = rollLineBreaks(text);
        if (lines != text) {
            QMimeData plain;
            plain.setText(lines);
            QPlainTextEdit::insertFromMimeData(&plain);
            return;
        }
    }
    QPlainTextEdit::insertFromMimeData(source);
}

QString RollEditor::textRange(int from, int to) const
{
    QTextCursor cursor(document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    return cursor.selectedText().replace(QChar::ParagraphSeparator, u'\n');
}

QString RollEditor::rollText() const
{
    return textRange(0, document()->characterCount() - 1);
}

void RollEditor::replaceRange(int from, int to, const QString &text)
{
    QTextCursor cursor(document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    cursor.insertText(text);
}

int RollEditor::firstVisibleLine() const
{
    return verticalScrollBar()->value();
}

void RollEditor::scrollToLine(int line)
{
    verticalScrollBar()->setValue(line);
}

int RollEditor::lastVisibleLine() const
{
    return cursorForPosition(QPoint(0, std::max(0, viewport()->height() - 1))).blockNumber();
}

void RollEditor::scrollToLeftEdge()
{
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
}

QTextBlock RollEditor::firstDrawnLine() const
{
    return firstVisibleBlock();
}

QRectF RollEditor::lineRect(const QTextBlock &block) const
{
    // The box of the last line also holds the document's bottom margin: keep
    // to the height of the text lines.
    const QRectF box = blockBoundingGeometry(block).translated(contentOffset());
    const QTextLayout *layout = block.layout();
    if (!layout || layout->lineCount() == 0)
        return box;
    return QRectF(box.topLeft(), QSizeF(box.width(), layout->boundingRect().bottom()));
}

void RollEditor::resizeEvent(QResizeEvent *e)
{
    QPlainTextEdit::resizeEvent(e);
    Q_EMIT resized();
}
