#include "reshape/TWordDic.h"

using namespace Qt::StringLiterals;

TWordDic::TWordDic()
    : ToolWindow(u"WordDic"_s, u"カスタム辞書"_s, 0x0400, Qt::Window)
{
}
