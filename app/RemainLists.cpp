// Find listup: every roll line that holds a text, in the result list.
#include "app/Remain.h"

#include "app/AppWindows.h"
#include "roll/RollDocument.h"
#include "app/RollEditor.h"
#include "lists/LineLists.h"
#include "lists/TFindList.h"
#include "platform/Prompter.h"

using namespace Qt::StringLiterals;

void TForm1::FindListup1Click()
{
    const QString text = Prompter::instance().inputBox(u"検索対象文字列"_s, u"一括検索"_s, QString());
    if (text.isEmpty())
        return;
    // The search uses the text as typed: a character Shift-JIS cannot hold is
    // looked for as itself, not as "?".
    FindList->showLines(u"該当行リスト - %1 を含む行"_s.arg(asShownInShiftJis(text)),
                        linesContaining(rollLines(*RichEdit1->document()), text));
}
