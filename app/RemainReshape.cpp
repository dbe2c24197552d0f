// The whole-roll frame the reshaping commands of Tool › 整形 (reshape/
// ShapeCommands) run through, and what they read of the main window.
#include "app/Remain.h"

#include "analysis/MorphemeDigest.h"
#include "analysis/TSetChasen.h"
#include "analysis/TWordAnalyze.h"
#include "app/AppWindows.h"
#include "app/RollEditor.h"
#include "history/UndoRing.h"
#include "platform/Prompter.h"
#include "reshape/Reshape.h"
#include "reshape/RollCommands.h"
#include "reshape/ShapeCommands.h"
#include "reshape/TSetCheck.h"
#include "reshape/TWordDic.h"
#include "reshape/WordList.h"
#include "roll/FlagHold.h"
#include "roll/RollHighlighter.h"
#include "session/RollSession.h"

#include <QAction>
#include <QSpinBox>

using namespace Qt::StringLiterals;

RollShapeSettings TForm1::shapeSettings() const
{
    RollShapeSettings settings;
    settings.plasticComment = PlasticComment->isChecked();
    settings.insertBlankLine = CRInsert->isChecked();
    settings.ignoreBreaks = noeffectCR->isChecked();
    settings.breakAtPeriod = CRdot->isChecked();
    settings.breakAtComma = CRcomma->isChecked();
    settings.rules = {PlasticKinsoku->isChecked(), PlasticPhrase->isChecked(), PlasticBalance->isChecked()};
    return settings;
}

// Records the roll as one undo step, turns its lines into items with
// `transform` while recording and recolouring wait, and puts the items back as
// the roll text in one change. `report` names the completion message's caption
// (empty: a silent run, which neither reports nor recolours).
void TForm1::rewriteRoll(const std::function<QStringList(const QStringList &)> &transform,
                         const QString &report, const QString &workingStatus)
{
    replaceWholeRoll([&] { return itemsToText(transform(m_rollAccess->lines())); }, report,
                     workingStatus);
}

// The same frame for a command that has made the new text itself: no lines
// to take out of the editor and join again.
void TForm1::rewriteRollText(const QString &text, const QString &report, const QString &workingStatus)
{
    replaceWholeRoll([&text] { return text; }, report, workingStatus);
}

void TForm1::replaceWholeRoll(const std::function<QString()> &newText, const QString &report,
                              const QString &workingStatus)
{
    const RollSession::Transaction step(*m_session);
    FlagHold suppressed(RecolorSuppressed);
    setStatusText(workingStatus);
    const int firstLine = RichEdit1->firstVisibleLine();
    const int caretLine = RichEdit1->textCursor().blockNumber();
    const QString text = newText();
    // As a roll is opened: replacing every line through a cursor takes the
    // document several times the time and memory of a text set anew.
    setWholeText(text);
    keepViewAfterBulkChange(firstLine, caretLine);
    suppressed.release();
    // Coloured at once, not held back for a full recolour later, which would
    // lay out every line of the new text.
    colourWholeText(text);
    setStatusText(QString());
    if (!report.isEmpty())
        showMessage(u"完了しました。"_s, report, MsgIcon::Information);
}

void TForm1::setWholeText(const QString &text)
{
    m_highlighter->beginLoad();
    m_session->setWholeText(text);
}

void TForm1::colourWholeText(const QString &text)
{
    // Formats only: the session need not compare the text.
    m_session->setFormatsOnly(true);
    m_highlighter->endLoad(text);
    m_session->setFormatsOnly(false);
}

void TForm1::replaceRollRange(int from, int to, const QString &text)
{
    const RollSession::Transaction step(*m_session);
    const FlagHold suppressed(RecolorSuppressed);
    m_session->replaceRange(from, to, text);
}

std::optional<WordList> TForm1::reshapeWordList()
{
    setStatusText(u"形態素辞書を作成中・・・"_s);
    // Phrases are made of the analyser's words: they need the word list too.
    const bool phrases = PlasticPhrase->isChecked();
    if (!PlasticWordCheck->isChecked() && !phrases)
        return std::nullopt;
    const bool analysed = analyseRoll(*m_wordAnalysis, rollAccess(), SetChasen->analyserSettings());
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
    const MorphemeDigest &lastRun = m_wordAnalysis->lastRun();
    WordList words = WordList::build(lastRun.surfaces(), custom,
                                     phrases ? lastRun.surfaceTags() : QHash<QString, WordTag>());
    // Phrases come from each line's own morphemes; the words' roles serve
    // only text the analyser did not read (comment lines), and every line
    // when this run failed: the last run's records belong to another text.
    if (phrases && analysed) {
        RollAccess &roll = rollAccess();
        words.setMorphemes(MorphemeMap::build(roll.lines(), roll.commentKinds(),
                                              [&lastRun](const auto &visit) { lastRun.forEachRecord(visit); }));
    }
    return words;
}

void TForm1::buildShapeCommands()
{
    // Read when a command runs: the settings windows are made after this one.
    m_shape = std::make_unique<ShapeCommands>(
        *m_rollAccess, ShapeCommands::Inputs{[this] { return shapeSettings(); },
                                             [this] { return CharPosValue->value(); },
                                             [] { return SetCheck->settings(); },
                                             [this] { return reshapeWordList(); }});
}

// The commands of Tool › 整形, as the design names them.
void TForm1::Line1Click() { m_shape->reshapeByCount(); }
void TForm1::AdjustWidth1Click() { m_shape->reshapeByWidth(); }
void TForm1::AdjustbyEnter1Click() { m_shape->breakAtMark(BreakMark::Period, true); }
void TForm1::AdjustbyTalker1Click() { m_shape->breakAtMark(BreakMark::Slash, true); }
void TForm1::AdjustbyCommaClick() { m_shape->breakAtMark(BreakMark::Comma, true); }
void TForm1::AdjustCenterClick() { m_shape->centre(); }
void TForm1::rimming1Click() { m_shape->trim(); }
