#include "send/TRollInput.h"

using namespace Qt::StringLiterals;

TRollInput::TRollInput()
    : ToolWindow(u"RollInput"_s, u"流し込み支援"_s, 0x0200, Qt::Window)
{
}
