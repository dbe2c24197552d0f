#include "slides/TSlideSetWnd.h"

using namespace Qt::StringLiterals;

TSlideSetWnd::TSlideSetWnd()
    : ToolWindow(u"SlideSetWnd"_s, u"スライド変換設定"_s, 0, Qt::Dialog)
{
}
