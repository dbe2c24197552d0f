#include "convert/TReplaceSet.h"

using namespace Qt::StringLiterals;

TReplaceSet::TReplaceSet()
    : ToolWindow(u"ReplaceSet"_s, u"文字変換"_s, 0x0100, Qt::Tool)
{
}
