#include "analysis/TWordAnalyze.h"

using namespace Qt::StringLiterals;

TWordAnalyze::TWordAnalyze()
    : ToolWindow(u"WordAnalyze"_s, u"言語分析"_s, 0x0002, Qt::Window)
{
}
