#include "lists/TMsgList.h"

using namespace Qt::StringLiterals;

TMsgList::TMsgList()
    : ToolWindow(u"MsgList"_s, u"発言者リスト"_s, 0x0040, Qt::Window)
{
}
