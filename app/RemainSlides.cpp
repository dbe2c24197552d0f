// The roll turned into an IPtalk slide file, in the editor.
#include "app/Remain.h"

#include "app/AppWindows.h"
#include "platform/Prompter.h"
#include "slides/SlideFile.h"
#include "slides/TSlideSetWnd.h"

using namespace Qt::StringLiterals;

void TForm1::SlideConvert1Click()
{
    if (showMessage(u"「`@」を区切りとして、\r\n文章全体をスライド前ロール化します。\r\n\r\nよろしいですか？"_s,
                    u"変換の確認"_s, MsgIcon::Question, MsgButtons::YesNoCancel)
        != MsgResult::Yes)
        return;
    if (!SlideSetWnd->runModal())
        return;
    const SlideSettings settings = SlideSetWnd->settings();
    rewriteRoll([&](const QStringList &lines) { return convertRollToSlide(lines, settings); }, QString(),
                QString());
    ForceRecolorClick();
}
