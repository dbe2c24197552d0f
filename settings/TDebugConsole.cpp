#include "settings/TDebugConsole.h"

using namespace Qt::StringLiterals;

TDebugConsole::TDebugConsole()
    : ToolWindow(u"DebugConsole"_s, u"エラー表示"_s, 0, Qt::Window)
{
}
