#include "analysis/TSetChasen.h"

using namespace Qt::StringLiterals;

TSetChasen::TSetChasen()
    : ToolWindow(u"SetChasen"_s, u"フィルタの設定"_s, 0x0080, Qt::Tool)
{
}
