#include "lists/TFindList.h"

using namespace Qt::StringLiterals;

TFindList::TFindList()
    : ToolWindow(u"FindList"_s, u"該当行リスト"_s, 0x1000, Qt::Window)
{
}
