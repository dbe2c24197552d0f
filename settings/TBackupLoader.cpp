#include "settings/TBackupLoader.h"

using namespace Qt::StringLiterals;

TBackupLoader::TBackupLoader()
    : ToolWindow(u"BackupLoader"_s, u"バックアップ履歴"_s, 0, Qt::Window)
{
}
