#include "join/TJoinFile.h"

using namespace Qt::StringLiterals;

TJoinFile::TJoinFile()
    : ToolWindow(u"JoinFile"_s, u"ロール統合（ファイルの結合）"_s, 0x0020, Qt::Window)
{
}
