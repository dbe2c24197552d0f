#include "roll/ShiftJisSave.h"

#include "roll/RollFile.h"
#include "platform/Cp932.h"
#include "platform/ErrorNotifier.h"
#include "platform/Prompter.h"
#include "platform/TextFile.h"

using namespace Qt::StringLiterals;

bool saveShiftJisLines(const QString &path, const QStringList &lines)
{
    const QString lost = cp932UnencodableChars(lines.join(u'\n'));
    if (!lost.isEmpty()) {
        const QString question = u"次の文字は Shift-JIS で保存できないため、「?」に置き換わります。"
                                 u"\r\n\r\n"_s
                                 + describeCharacters(lost) + u"\r\n\r\nこのまま保存しますか？"_s;
        if (showMessage(question, u"保存の確認"_s, MsgIcon::Question, MsgButtons::YesNo) != MsgResult::Yes)
            return false;
    }
    const FileWriteResult written = writeFileAtomically(path, rollFileBytes(lines));
    if (!written.ok) {
        const QString message = u"ファイル \"%1\" を保存できません。\r\n%2"_s.arg(path, written.error);
        logError(raisedError(u"EFCreateError"_s, message)); // the box says it in its own words
        showMessage(message, QString::fromUtf16(kApplicationTitle), MsgIcon::Error);
        return false;
    }
    return true;
}
