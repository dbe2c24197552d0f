#include "reshape/ShapeCommands.h"

#include "platform/Prompter.h"
#include "reshape/DisplayWidth.h"
#include "reshape/WidthModel.h"
#include "roll/RollAccess.h"

using namespace Qt::StringLiterals;

namespace {

const QString kWorking = u"整形実施中・・・"_s;
const QString kReshapeCaption = u"自動改行"_s;

bool askToStart(const QString &question)
{
    return showMessage(question, u"開始メッセージ"_s, MsgIcon::Information, MsgButtons::YesNo)
        == MsgResult::Yes;
}

} // namespace

ShapeCommands::ShapeCommands(RollAccess &roll, Inputs inputs)
    : m_roll(roll), m_in(std::move(inputs))
{
}

void ShapeCommands::preReshapeBreaks(const RollShapeSettings &settings)
{
    if (settings.breakAtPeriod)
        breakAtMark(BreakMark::Period, false);
    if (settings.breakAtComma)
        breakAtMark(BreakMark::Comma, false);
}

void ShapeCommands::reshapeWith(const Reshaper &reshaper)
{
    // The breaks before are part of the reshape: one Undo takes back both.
    const RollStep step(m_roll);
    preReshapeBreaks(m_in.shapeSettings());
    const std::optional<WordList> words = m_in.wordList();
    const RollShapeSettings settings = m_in.shapeSettings();
    m_roll.rewrite([&](const QStringList &lines) { return reshaper(lines, settings, words ? &*words : nullptr); },
                   kReshapeCaption, kWorking);
}

void ShapeCommands::reshapeByCount()
{
    const int chars = m_in.charsPerLine();
    if (chars < 1) {
        showMessage(u"「文字ラインの位置」が0文字のため、自動改行できません。"_s, kReshapeCaption, MsgIcon::Warning);
        return;
    }
    if (!askToStart(u"文字ラインを超える行を自動改行します。 \r\n\r\n (文字数は「文字ラインの位置」の設定(="_s
                    + QString::number(chars) + u"文字)を使います。）"_s))
        return;
    reshapeWith([chars](const QStringList &lines, const RollShapeSettings &settings, const WordList *words) {
        return reshapeRollByCount(lines, chars, settings, words);
    });
}

void ShapeCommands::reshapeByWidth()
{
    const WidthCheckSettings check = m_in.widthCheck();
    if (!askToStart(u"文字幅を超える行を自動改行します。 \r\n\r\n (文字幅は「文字幅チェック」の設定(="_s
                    + QString::number(check.points) + u"ポイントのときの\r\n"_s
                    + QString::number(check.screenWidth) + u"ピクセルまで)を使います。）"_s))
        return;
    reshapeWith([&check](const QStringList &lines, const RollShapeSettings &settings, const WordList *words) {
        PixelWidth pixels(check.font, check.points);
        return reshapeRollByWidth(lines, check.screenWidth, settings, words, pixels);
    });
}

void ShapeCommands::breakAtMark(BreakMark mark, bool interactive)
{
    if (interactive && !askToStart(u"「"_s + breakMarkChar(mark) + u"」で自動改行します。 "_s))
        return;
    const RollShapeSettings settings = m_in.shapeSettings();
    m_roll.rewrite([&](const QStringList &lines) { return breakRoll(lines, mark, settings); },
                   interactive ? kReshapeCaption : QString(), kWorking);
}

void ShapeCommands::centre()
{
    if (!askToStart(u"センタリングを開始します。 "_s))
        return;
    const RollShapeSettings settings = m_in.shapeSettings();
    const int limit = lineLimitCells(m_in.charsPerLine());
    m_roll.rewrite([&](const QStringList &lines) { return centreRoll(lines, limit, settings); },
                   u"センタリング"_s, kWorking);
}

void ShapeCommands::trim()
{
    if (!askToStart(u"前後空白の削除を開始します。 "_s))
        return;
    const RollShapeSettings settings = m_in.shapeSettings();
    m_roll.rewrite([&](const QStringList &lines) { return trimRoll(lines, settings); }, u"前後空白の削除"_s,
                   kWorking);
}
