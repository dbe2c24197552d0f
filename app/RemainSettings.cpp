// The settings-file commands of the File menu.
#include "app/Remain.h"

#include "app/AppWindows.h"

#include "platform/ErrorNotifier.h"
#include "platform/Prompter.h"
#include "app/ConfigFile.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {
const QString kLoadCaption = u"設定を開く"_s;
const QString kConfigFilter = u"設定ファイル(*.ini)|*.ini|すべてのファイル(*.*)|*.*"_s;
}

void TForm1::LoadConfigFile(const QString &path)
{
    QString error;
    if (!loadConfigFile(path, &error))
        showMessage(u"設定ファイルを読み込めませんでした。\r\n"_s + path + u"\r\n"_s + error,
                    kLoadCaption, MsgIcon::Error);
    keepAppWindowsOnScreen();
}

bool TForm1::SaveConfigFile(const QString &path)
{
    QString error;
    if (saveConfigFile(path, &error))
        return true;
    // Nothing was written: the old settings file is as it was.
    const QString message = u"設定ファイルを保存できませんでした。\r\n"_s + path + u"\r\n"_s + error;
    logError(raisedError(u"ESettingsWrite"_s, message)); // the box says it in its own words
    showMessage(message, u"設定を保存"_s, MsgIcon::Error);
    return false;
}

void TForm1::ConfigRead1Click()
{
    const QString path = Prompter::instance().openFileName(
        {u"設定ファイルを読み込む"_s, dialogFilter(kConfigFilter), {}, {}});
    if (path.isEmpty())
        return;
    // A file of the chosen name is taken as it is; the default extension only
    // completes a typed name that names no file.
    const QString file = QFileInfo::exists(path) ? path : withDefaultSuffix(path, u"ini"_s);
    if (!QFileInfo::exists(file)) {
        // Loading nothing would reset every setting and empty the lists.
        showMessage(u"設定ファイルが見つかりません。\r\n"_s + file, kLoadCaption, MsgIcon::Error);
        return;
    }
    LoadConfigFile(file);
}

void TForm1::ConfigSave1Click()
{
    const QString path = Prompter::instance().saveFileName(
        {u"設定ファイルを保存"_s, dialogFilter(kConfigFilter), {}, u"自動読み込み.ini"_s});
    if (!path.isEmpty())
        SaveConfigFile(withDefaultSuffix(path, u"ini"_s));
}
