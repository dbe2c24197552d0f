#include "analysis/PartOfSpeechMarking.h"

#include "analysis/PartOfSpeechMarks.h"
#include "analysis/TWordAnalyze.h"
#include "platform/Prompter.h"
#include "roll/RollAccess.h"

using namespace Qt::StringLiterals;

void markPartsOfSpeech(RollAccess &roll, WordAnalysis &analysis, const AnalyserSettings &settings,
                       bool baseForms)
{
    roll.setStatusText(u"品詞チェック準備中・・・"_s);
    analyseRoll(analysis, roll, settings);
    roll.setStatusText(u"品詞マーク準備中・・・"_s);
    const QString text = roll.textRange(0, roll.length());
    const QStringList records = analysis.lastRun().linesByLastOccurrence();
    roll.setStatusText(u"品詞マーク実行中・・・"_s);
    // The marks replace those of an earlier marking, and black on white
    // replaces the comment colouring until the view colours lines again.
    roll.setMarks(partOfSpeechMarks(text, records, baseForms, roll.commentKinds()));
    // No text changed, so no undo step comes of it; typing not yet recorded
    // is, as after any command, and the caret line is recoloured.
    roll.recordState();
    roll.setStatusText(u"★品詞マーク完了。"_s);
    showMessage(u"品詞は下記のとおり色づけされています。\r\n\t\n名詞＝青\r\n動詞＝水色\r\n"_s, u"品詞マークがおわりました"_s,
                MsgIcon::Information);
}
