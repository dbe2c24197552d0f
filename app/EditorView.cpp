#include "app/EditorView.h"

#include "app/LineNumberGutter.h"
#include "app/RollEditor.h"
#include "platform/Fonts.h"
#include "platform/Prompter.h"
#include "roll/GutterLabels.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLayout>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
void setFontSize(QWidget *widget, int points)
{
    QFont font = widget->font();
    font.setPixelSize(std::max(1, pixelsAt96Dpi(points)));
    widget->setFont(font);
}
void setFontFace(QWidget *widget, const QString &name)
{
    QFont font = widget->font();
    font.setFamily(substituteFontFamily(name));
    widget->setFont(font);
}
} // namespace

// Face and size go to the editor's default font, which is the whole roll's
// (plain text carries no formatting of its own), and to the gutter, whose
// lines must stay as high as the roll's.
void EditorView::applyFontName()
{
    const QString name = m_w.fontName->currentText();
    setFontFace(m_w.editor, name);
    setFontFace(m_w.gutter, name);
    placeLimitBar();
}

void EditorView::applyFontSize()
{
    const int points = m_w.fontSize->value();
    m_w.gutter->setFixedWidth(4 * points);
    setFontSize(m_w.editor, points);
    setFontSize(m_w.gutter, points);
    placeLimitBar();
}

void EditorView::placeLimitBar()
{
    RollEditor *editor = m_w.editor;
    // The gutter may just have changed width: the editor's place must be current.
    if (QLayout *layout = editor->parentWidget()->layout())
        layout->activate();
    // The bar stands after the limit's full-width characters of the editor
    // font, counted from the editor's left text edge.
    const int pairWidth = QFontMetrics(editor->font()).horizontalAdvance(u"増田"_s);
    const int left = editor->geometry().left() + editor->viewport()->geometry().left()
        + int(editor->document()->documentMargin());
    m_w.limitBar->move(int(m_w.limitColumn->value() * pairWidth * 0.5 + left), editor->geometry().top());
    m_w.limitBar->resize(m_w.limitBar->width(), editor->height());
    m_w.limitBar->raise();
    placeCaretBar(); // the editor may have moved or its lines changed height
}

void EditorView::placeCaretBar()
{
    RollEditor *editor = m_w.editor;
    QFrame *bar = m_w.caretBar;
    const int y = editor->viewport()->mapTo(bar->parentWidget(), editor->cursorRect().bottomLeft()).y() + 1;
    bar->setGeometry(editor->x(), y, editor->width(), bar->height());
    bar->raise();
}

void EditorView::followEditorSize()
{
    m_w.limitBar->resize(m_w.limitBar->width(), m_w.editor->height());
    m_w.caretBar->resize(m_w.editor->width(), m_w.caretBar->height());
}

void EditorView::showLimitBar(bool shown)
{
    m_w.limitBar->setVisible(shown);
}

void EditorView::showCaretBar(bool shown)
{
    placeCaretBar();
    m_w.caretBar->setVisible(shown);
}

void EditorView::setSlideCounting(bool on)
{
    if (on) {
        if (m_rowsPerSlide < 1)
            m_rowsPerSlide = 10;
        // A cancelled box gives back the default: the rows stay.
        m_rowsPerSlide = rowsPerSlideFromAnswer(Prompter::instance().inputBox(
            u"行表示指示"_s, u"スライド風ロールの１画面行数はいくつですか？"_s, QString::number(m_rowsPerSlide)));
    }
    m_w.gutter->setSlideMode(on, m_rowsPerSlide);
}

void EditorView::keepAfterBulkChange(int firstLine, int caretLine)
{
    RollEditor *editor = m_w.editor;
    const QTextDocument *doc = editor->document();
    editor->setTextCursor(QTextCursor(doc->findBlockByNumber(std::min(caretLine, doc->blockCount() - 1))));
    editor->scrollToLine(firstLine);
    editor->scrollToLeftEdge();
    placeCaretBar();
}
