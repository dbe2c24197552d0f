#include "app/ToolWindow.h"

#include "app/StartupMask.h"
#include "app/WindowPlacement.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
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
    // Its first place was worked out from the size it meant to have; shown, it
    // may have grown (fonts, texts) past the screen's edge.
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const QPoint place = wholeOnScreenPosition(frameGeometry(), screens);
    if (place != frameGeometry().topLeft())
        move(place);
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
