// The line checks and the character total of the Tool menu.
#include "app/Remain.h"

#include "app/AppWindows.h"
#include "roll/RollDocument.h"
#include "app/RollEditor.h"
#include "platform/Fonts.h"
#include "platform/Prompter.h"
#include "reshape/DisplayWidth.h"
#include "reshape/LineChecks.h"
#include "reshape/TSetCheck.h"

#include <QComboBox>
#include <QScrollBar>
#include <QSpinBox>
#include <QTextBlock>

using namespace Qt::StringLiterals;

namespace {
const QString kNothingFound = u"文字数チェック完了。オーバーしているものはありません。"_s;
const QString kNothingFoundTitle = u"指定文字数チェック完了"_s;
} // namespace

void TForm1::M1Click()
{
    const int found = findOverlongByCount(documentLines(*RichEdit1->document()),
                                          lineLimitCells(CharPosValue->value()));
    if (found < 0) {
        showMessage(kNothingFound, kNothingFoundTitle, MsgIcon::Information);
        return;
    }
    presentFoundLine(found, u"文字数オーバーが%1行目が発見されました。"_s.arg(found + 1));
}

void TForm1::W1Click()
{
    const WidthCheckSettings check = SetCheck->settings();
    TextMeasure measure(check.font, check.points);
    const PixelOverrun found = findOverlongByPixels(
        documentLines(*RichEdit1->document()), check.screenWidth,
        [&](const QString &line) { return measure.width(line); });
    if (found.line < 0) {
        showMessage(kNothingFound, kNothingFoundTitle, MsgIcon::Information);
        return;
    }
    presentFoundLine(found.line, u"文字幅オーバーが%1行目が発見されました。(%2ピクセルオーバー)"_s
                                     .arg(found.line + 1)
                                     .arg(found.excess));
}

// Scrolls the found line to the top, tells the user, then selects the line.
void TForm1::presentFoundLine(int line, const QString &message)
{
    QTextCursor cursor(RichEdit1->document());
    RichEdit1->setTextCursor(cursor);
    RichEdit1->verticalScrollBar()->setValue(line);
    RichEdit1->setFocus();
    showMessage(message, u"指定文字数オーバー"_s, MsgIcon::Warning);
    const QTextBlock block = RichEdit1->document()->findBlockByNumber(line);
    cursor.setPosition(block.position());
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    RichEdit1->setTextCursor(cursor);
}

void TForm1::Counter1Click()
{
    const qsizetype total = characterTotal(documentLines(*RichEdit1->document()));
    showMessage(u"文章全体で、"_s + QString::number(total)
                    + u"文字です。\r\n\r\n(全角文字も１文字と数えています。)"_s,
                u"文字数"_s);
}
