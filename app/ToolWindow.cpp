#include "app/ToolWindow.h"

#include "app/StartupMask.h"

#include <QLabel>
#include <QSpinBox>

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

QLabel *guidanceLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Qt::darkGreen);
    label->setPalette(pal);
    return label;
}

QSpinBox *namedSpinBox(QWidget *parent, const QString &name, int min, int max, int value)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(min, max);
    box->setValue(value);
    return box;
}
