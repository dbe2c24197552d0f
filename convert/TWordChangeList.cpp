#include "convert/TWordChangeList.h"

using namespace Qt::StringLiterals;

TWordChangeList::TWordChangeList()
    : ToolWindow(u"WordChangeList"_s, u"ユーザ変換リスト"_s, 0x2000, Qt::Window)
{
}
