// The editor's font, the character-limit bar and the caret bar.
#include "app/Remain.h"

#include "app/LineNumberGutter.h"
#include "app/RollEditor.h"
#include "platform/Fonts.h"

#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLayout>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

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
void TForm1::SelFontNameSelect()
{
    const QString name = SelFontName->currentText();
    setFontFace(RichEdit1, name);
    setFontFace(LineNo, name);
    CharPosValueChange();
}

void TForm1::SelFontSizeChange()
{
    LineNo->setFixedWidth(4 * SelFontSize->value());
    setFontSize(RichEdit1, SelFontSize->value());
    setFontSize(LineNo, SelFontSize->value());
    CharPosValueChange();
}

void TForm1::CharPosValueChange()
{
    // The gutter may just have changed width: the editor's place must be current.
    if (QLayout *layout = RichEdit1->parentWidget()->layout())
        layout->activate();
    // The bar stands after CharPosValue full-width characters of the editor
    // font, counted from the editor's left text edge.
    const int pairWidth = QFontMetrics(RichEdit1->font()).horizontalAdvance(u"増田"_s);
    const int left = RichEdit1->geometry().left() + RichEdit1->viewport()->geometry().left()
        + int(RichEdit1->document()->documentMargin());
    CharPosSign->move(int(CharPosValue->value() * pairWidth * 0.5 + left), RichEdit1->geometry().top());
    CharPosSign->resize(CharPosSign->width(), RichEdit1->height());
    CharPosSign->raise();
    placeCaretBar(); // the editor may have moved or its lines changed height
}

// After a command rewrote much of the roll at once: the line that was on top
// stays on top, the view starts at the lines' left edge again (the limit bar
// is measured from there), and the caret stands at the start of the line it
// was on rather than at the far end of the change, where the next key would
// scroll the view to.
void TForm1::keepViewAfterBulkChange(int firstLine, int caretLine)
{
    const QTextDocument *doc = RichEdit1->document();
    RichEdit1->setTextCursor(QTextCursor(doc->findBlockByNumber(std::min(caretLine, doc->blockCount() - 1))));
    RichEdit1->scrollToLine(firstLine);
    RichEdit1->scrollToLeftEdge();
    placeCaretBar();
}

void TForm1::NoMojiLineClick()
{
    CharPosSign->setVisible(!NoMojiLine->isChecked());
}

void TForm1::CaretLine1Click()
{
    placeCaretBar();
    CursorLine->setVisible(CaretLine1->isChecked());
}

void TForm1::AutoSave1Click()
{
    if (AutoSave1->isChecked())
        AutoSaveTimer->start();
    else
        AutoSaveTimer->stop();
}
