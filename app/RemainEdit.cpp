// Clipboard, selection, comment and jump commands of the Edit and context menus.
#include "app/Remain.h"

#include "roll/CommentCommands.h"
#include "roll/RollConventions.h"
#include "app/RollEditor.h"
#include "platform/Prompter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString selectedPlainText(const QTextCursor &cursor)
{
    return cursor.selectedText()
        .replace(QChar::ParagraphSeparator, u'\n')
        .replace(QChar::LineSeparator, u'\n');
}

} // namespace

void TForm1::cuT1Click()
{
    RichEdit1Change();
    QTextCursor cursor = RichEdit1->textCursor();
    QGuiApplication::clipboard()->setText(selectedPlainText(cursor));
    cursor.removeSelectedText();
    RichEdit1->setTextCursor(cursor);
    ForceRecolorClick();
}

void TForm1::Copy1Click()
{
    QGuiApplication::clipboard()->setText(selectedPlainText(RichEdit1->textCursor()));
}

void TForm1::Paste1Click()
{
    RichEdit1Change();
    RichEdit1->paste();
    ForceRecolorClick();
}

void TForm1::Delete1Click()
{
    RichEdit1Change();
    QTextCursor cursor = RichEdit1->textCursor();
    cursor.removeSelectedText();
    RichEdit1->setTextCursor(cursor);
}

void TForm1::All1Click()
{
    RichEdit1->selectAll();
}

// Marks every line the selection touches (an empty `marker`: takes the marks
// off) as one undo step, and leaves those lines selected for the next command.
void TForm1::commentSelection(const QString &marker)
{
    const QTextCursor cursor = RichEdit1->textCursor();
    if (!cursor.hasSelection())
        return;
    QTextDocument *doc = RichEdit1->document();
    const QTextBlock endBlock = doc->findBlock(cursor.selectionEnd());
    const LineSpan span = SelectedLines(doc->findBlock(cursor.selectionStart()).blockNumber(),
                                        endBlock.blockNumber(), cursor.selectionEnd() - endBlock.position());
    QStringList lines;
    QTextBlock block = doc->findBlockByNumber(span.first);
    const int from = block.position();
    for (int i = span.first; i <= span.last; ++i, block = block.next())
        lines << block.text();
    const QStringList changed = marker.isEmpty() ? UncommentLines(lines) : CommentLines(lines, marker);
    const auto lineEnd = [doc](int line) {
        const QTextBlock b = doc->findBlockByNumber(line);
        return b.position() + b.length() - 1;
    };
    if (changed != lines)
        replaceRollRange(from, lineEnd(span.last), changed.join(u'\n'));
    QTextCursor selection(doc);
    selection.setPosition(from);
    selection.setPosition(lineEnd(span.last), QTextCursor::KeepAnchor);
    RichEdit1->setTextCursor(selection);
}

void TForm1::Tag1Click() { commentSelection(QString::fromUtf16(kJumpMarker)); }
void TForm1::Summary1Click() { commentSelection(QString::fromUtf16(kSummaryMarker)); }
void TForm1::Change1Click() { commentSelection(QString::fromUtf16(kChangeMarker)); }
void TForm1::Standard2Click() { commentSelection(QString::fromUtf16(kCommentMarker)); }
void TForm1::Uncomment1Click() { commentSelection(QString()); }

void TForm1::Jump1Click()
{
    const QString answer = Prompter::instance().inputBox(u"ジャンプ"_s, u"何行目にジャンプしますか？"_s,
                                                         QString::number(1));
    bool ok = false;
    const int line = answer.trimmed().toInt(&ok);
    if (!ok) {
        showMessage(u"「%1」は行番号として使えません。行番号を整数で入力してください。"_s.arg(answer),
                    u"ジャンプ"_s, MsgIcon::Error);
        return;
    }
    RichEdit1->setFocus();
    QTextCursor cursor = RichEdit1->textCursor();
    cursor.setPosition(0);
    RichEdit1->setTextCursor(cursor);
    // The caret stays at the start of the roll; only the view moves.
    RichEdit1->scrollToLine(std::max(0, line - 1));
    LineTimerTimer();
    updateCaretStatus();
}
