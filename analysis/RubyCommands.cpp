#include "analysis/RubyCommands.h"

#include "analysis/TWordAnalyze.h"
#include "platform/Prompter.h"
#include "roll/RollAccess.h"

#include <QCoreApplication>
#include <QProgressDialog>

using namespace Qt::StringLiterals;

namespace {

const QString kCaption = u"ルビ振り"_s;
const QString kScanning = u"ルビ振り実行中・・・"_s;

// The scan's progress window: it shows when the scan takes a while, keeps
// the windows painting, and its cancel button or Escape stops the scan.
class ScanWindow {
public:
    ScanWindow() : m_dialog(u"ふりがなを振っています・・・"_s, u"中止"_s, 0, 1000)
    {
        m_dialog.setWindowTitle(kCaption);
        m_dialog.setWindowModality(Qt::ApplicationModal);
        m_dialog.setMinimumDuration(500);
        m_dialog.setValue(0);
    }

    bool keepGoing(qsizetype done, qsizetype total)
    {
        m_dialog.setValue(int(done * 1000 / std::max<qsizetype>(total, 1)));
        // Until the window shows, keys and clicks wait: the roll must not
        // change under the scan. Once shown, it holds them off itself.
        QCoreApplication::processEvents(
            m_dialog.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents, 20);
        return !m_dialog.wasCanceled();
    }

private:
    QProgressDialog m_dialog;
};

} // namespace

void rubyForSelection(RollAccess &roll)
{
    const RollSelection selection = roll.selection();
    if (selection.length <= 0) {
        showMessage(u"コマンドを実行するときは、ルビを振りたい文字を選択してください。"_s, kCaption,
                    MsgIcon::Information);
        return;
    }
    const QString reading = Prompter::instance().inputBox(u"ルビ"_s, u"振りたいルビを入力してください。"_s, QString());
    if (reading.isEmpty()) {
        showMessage(u"ルビ振りを中止します。"_s, kCaption, MsgIcon::Error);
        return;
    }
    const int end = selection.start + selection.length;
    const QString code = rubyCode(reading, roll.textRange(selection.start, end));
    roll.replaceAsOneStep(selection.start, end, code);
    roll.select({selection.start + int(code.size()), 0});
}

void furiganaForRoll(RollAccess &roll, WordAnalysis &analysis, const AnalyserSettings &settings, int grade,
                     const ScanProgress &keepGoing)
{
    // A failed run is told there; the words of the last successful one serve.
    // The analyser reads the base texts of the codes already there: their
    // readings are no words of the roll, and the words around them are found
    // as the first run found them, so a second run adds nothing.
    analyseRoll(analysis, roll, settings, withoutRubyCodes(roll.lines()));
    roll.setStatusText(u"ルビ振り準備中・・・"_s);
    const FuriganaDictionary dictionary = FuriganaDictionary::fromMorphemeLines(analysis.lastRun().lines(), grade);
    roll.setStatusText(kScanning);
    const QString text = roll.wholeText();
    std::optional<QString> result;
    if (keepGoing) {
        result = addFurigana(text, dictionary, keepGoing);
    } else {
        ScanWindow window;
        result = addFurigana(text, dictionary,
                             [&window](qsizetype done, qsizetype total) { return window.keepGoing(done, total); });
    }
    if (!result) {
        roll.setStatusText(u"☆ルビ振りを中止しました。"_s);
        return;
    }
    // With nothing to wrap the roll stays as it is, without an undo step.
    if (*result != text) {
        // No ruby code holds a line break, so the lines stay the roll's
        // lines; like every whole-roll rewrite, the last one ends in a break.
        if (!result->endsWith(u'\n'))
            result->append(u'\n');
        roll.rewriteText(*result, QString(), kScanning);
    }
    roll.select({0, 0});
    roll.setStatusText(u"★ルビ振り完了。"_s);
}
