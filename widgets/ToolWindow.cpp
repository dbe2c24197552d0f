#include "widgets/ToolWindow.h"

#include "widgets/StartupMask.h"
#include "widgets/WindowPlacement.h"

#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
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

void ToolWindow::useSmallListLook(int width, int height)
{
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPointSize(8);
    setFont(tahoma);
    resize(width, height);
}

QList<QRect> availableScreenAreas()
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas << screen->availableGeometry();
    return areas;
}

void ToolWindow::showTool()
{
    show();
    // Its first place was worked out from the size it meant to have; shown, it
    // may have grown (fonts, texts) past the screen's edge.
    const QPoint place = wholeOnScreenPosition(frameGeometry(), availableScreenAreas());
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

QStringList itemTexts(const QListWidget *list)
{
    QStringList texts;
    texts.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

void setItemTexts(QListWidget *list, const QStringList &texts)
{
    list->clear();
    list->addItems(texts);
}
