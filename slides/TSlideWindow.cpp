#include "slides/TSlideWindow.h"

using namespace Qt::StringLiterals;

TSlideWindow::TSlideWindow()
    : ToolWindow(u"SlideWindow"_s, u"スライド編集"_s, 0x4000, Qt::Window)
{
}
