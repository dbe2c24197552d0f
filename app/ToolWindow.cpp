#include "app/ToolWindow.h"

#include "app/StartupMask.h"

ToolWindow::ToolWindow(const QString &objectName, const QString &caption, quint32 startupBit,
                       Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    if (startupBit)
        markStarted(startupBit);
}

void ToolWindow::showTool()
{
    show();
    raise();
    activateWindow();
}
