#include "analysis/TRollAdvice.h"

using namespace Qt::StringLiterals;

TRollAdvice::TRollAdvice()
    : ToolWindow(u"RollAdvice"_s, u"前ロールアドバイザー"_s, 0x0800, Qt::Window)
{
}
