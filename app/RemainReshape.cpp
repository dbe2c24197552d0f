// The reshaping commands of Tool › 整形: every one rewrites the whole roll in
// one undo step through the same frame.
#include "app/Remain.h"

#include "analysis/MorphemeDigest.h"
#include "analysis/TSetChasen.h"
#include "analysis/TWordAnalyze.h"
#include "app/AppWindows.h"
#include "roll/FlagHold.h"
#include "roll/RollDocument.h"
#include "app/RollEditor.h"
#include "roll/RollHighlighter.h"
#include "history/UndoRing.h"
#include "platform/Prompter.h"
#include "reshape/DisplayWidth.h"
#include "reshape/LineShapes.h"
#include "reshape/Reshape.h"
#include "reshape/RollCommands.h"
#include "reshape/TSetCheck.h"
#include "reshape/TWordDic.h"
#include "reshape/WidthModel.h"
#include "reshape/WordList.h"

#include <QAction>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QSpinBox>

using namespace Qt::StringLiterals;

namespace {

bool askToStart(const QString &question)
{
    return showMessage(question, u"開始メッセージ"_s, MsgIcon::Information, MsgButtons::YesNo)
        == MsgResult::Yes;
}

} // namespace

RollShapeSettings TForm1::shapeSettings() const
{
    RollShapeSettings settings;
    settings.plasticComment = PlasticComment->isChecked();
    settings.insertBlankLine = CRInsert->isChecked();
    settings.ignoreBreaks = noeffectCR->isChecked();
    settings.breakAtPeriod = CRdot->isChecked();
    settings.breakAtComma = CRcomma->isChecked();
    return settings;
}

// Records the roll as one undo step, turns its lines into items with
// `transform` while recording and recolouring wait, and puts the items back as
// the roll text in one change. `report` names the completion message's caption
// (empty: a silent run, which neither reports nor recolours).
void TForm1::rewriteRoll(const std::function<QStringList(const QStringList &)> &transform,
                         const QString &report, const QString &workingStatus)
{
    FlagHold suppressed(RecolorSuppressed);
    setStatusText(workingStatus);
    RichEdit1Change();
    const FlagHold bulk(BulkOperation);
    const int firstLine = RichEdit1->firstVisibleLine();
    const int caretLine = RichEdit1->textCursor().blockNumber();
    const QString text = itemsToText(transform(rollLines(*RichEdit1->document())));
    // As a roll is opened: replacing every line through a cursor takes the
    // document several times the time and memory of a text set anew.
    m_incomingText = &text;
    m_highlighter->beginLoad();
    RichEdit1->setPlainText(text);
    m_incomingText = nullptr;
    keepViewAfterBulkChange(firstLine, caretLine);
    suppressed.release();
    // Coloured at once, not held back for a full recolour later, which would
    // lay out every line of the new text.
    m_highlighter->endLoad(text);
    setStatusText(QString());
    if (!report.isEmpty()) {
        showMessage(u"完了しました。"_s, report, MsgIcon::Information);
        ForceRecolorClick();
    }
}

void TForm1::replaceRollRange(int from, int to, const QString &text)
{
    FlagHold suppressed(RecolorSuppressed);
    RichEdit1Change();
    {
        const FlagHold bulk(BulkOperation);
        const TextEdit edit = diffTexts(RichEdit1->textRange(from, to), text);
        if (!edit.isEmpty())
            RichEdit1->replaceRange(from + int(edit.pos), from + int(edit.pos + edit.removed.size()),
                                    edit.inserted);
    }
    suppressed.release();
    ForceRecolorClick();
}

std::optional<WordList> TForm1::reshapeWordList()
{
    setStatusText(u"形態素辞書を作成中・・・"_s);
    if (!PlasticWordCheck->isChecked())
        return std::nullopt;
    analyseRoll(*m_wordAnalysis, rollAccess(), SetChasen->analyserSettings());
    QStringList custom = WordDic->customWordLines();
    const QList<qsizetype> unusable = WordList::unusableLines(custom);
    if (!unusable.isEmpty()) {
        QStringList numbers;
        for (const qsizetype line : unusable)
            numbers << QString::number(line);
        showMessage(u"カスタム辞書の %1 行目は読めない文字を含むため、使わずに整形します。"_s.arg(numbers.join(u"、"_s)),
                    u"カスタム辞書"_s, MsgIcon::Warning);
    }
    custom.removeAll(QString());
    // A failed run leaves the words of the last successful one, as before.
    return WordList::build(m_wordAnalysis->lastRun().surfaces(), custom);
}

// The breaks a reshape makes first, each its own silent command.
void TForm1::preReshapeBreakCommands()
{
    if (CRdot->isChecked())
        breakRollAtMark(BreakMark::Period, false);
    if (CRcomma->isChecked())
        breakRollAtMark(BreakMark::Comma, false);
}

void TForm1::Line1Click()
{
    const int chars = CharPosValue->value();
    if (chars < 1) {
        showMessage(u"「文字ラインの位置」が0文字のため、自動改行できません。"_s, u"自動改行"_s, MsgIcon::Warning);
        return;
    }
    if (!askToStart(u"文字ラインを超える行を自動改行します。 \r\n\r\n (文字数は「文字ラインの位置」の設定(="_s
                    + QString::number(chars) + u"文字)を使います。）"_s))
        return;
    preReshapeBreakCommands();
    const std::optional<WordList> words = reshapeWordList();
    const RollShapeSettings settings = shapeSettings();
    rewriteRoll(
        [&](const QStringList &lines) {
            return reshapeRollByCount(lines, chars, settings, words ? &*words : nullptr);
        },
        u"自動改行"_s, u"整形実施中・・・"_s);
}

void TForm1::AdjustWidth1Click()
{
    const WidthCheckSettings check = SetCheck->settings();
    const int screen = check.screenWidth;
    const int points = check.points;
    if (!askToStart(u"文字幅を超える行を自動改行します。 \r\n\r\n (文字幅は「文字幅チェック」の設定(="_s
                    + QString::number(points) + u"ポイントのときの\r\n"_s + QString::number(screen)
                    + u"ピクセルまで)を使います。）"_s))
        return;
    preReshapeBreakCommands();
    const std::optional<WordList> words = reshapeWordList();
    const RollShapeSettings settings = shapeSettings();
    const QString font = check.font;
    rewriteRoll(
        [&](const QStringList &lines) {
            PixelWidth pixels(font, points);
            return reshapeRollByWidth(lines, screen, settings, words ? &*words : nullptr, pixels);
        },
        u"自動改行"_s, u"整形実施中・・・"_s);
}

// A break after every mark; `interactive` asks first and reports after.
void TForm1::breakRollAtMark(BreakMark mark, bool interactive)
{
    if (interactive && !askToStart(u"「"_s + breakMarkChar(mark) + u"」で自動改行します。 "_s))
        return;
    const RollShapeSettings settings = shapeSettings();
    rewriteRoll([&](const QStringList &lines) { return breakRoll(lines, mark, settings); },
                interactive ? u"自動改行"_s : QString(), u"整形実施中・・・"_s);
}

void TForm1::AdjustbyEnter1Click() { breakRollAtMark(BreakMark::Period, true); }
void TForm1::AdjustbyTalker1Click() { breakRollAtMark(BreakMark::Slash, true); }
void TForm1::AdjustbyCommaClick() { breakRollAtMark(BreakMark::Comma, true); }

void TForm1::AdjustCenterClick()
{
    if (!askToStart(u"センタリングを開始します。 "_s))
        return;
    const RollShapeSettings settings = shapeSettings();
    const int limit = lineLimitCells(CharPosValue->value());
    rewriteRoll([&](const QStringList &lines) { return centreRoll(lines, limit, settings); },
                u"センタリング"_s, u"整形実施中・・・"_s);
}

void TForm1::rimming1Click()
{
    if (!askToStart(u"前後空白の削除を開始します。 "_s))
        return;
    const RollShapeSettings settings = shapeSettings();
    rewriteRoll([&](const QStringList &lines) { return trimRoll(lines, settings); }, u"前後空白の削除"_s,
                u"整形実施中・・・"_s);
}
