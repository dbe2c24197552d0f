#include "widgets/ToolWindow.h"

#include "widgets/StartupMask.h"
#include "widgets/WindowPlacement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
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

QSize outerSize(const QWidget *w)
{
    const QSize extra = w->frameGeometry().size() - w->size();
    const QSize inner = w->testAttribute(Qt::WA_Resized) || !w->sizeHint().isValid() ? w->size() : w->sizeHint();
    return inner + extra;
}

namespace {

// Tool windows on the screen now: a window shown next goes a cascade step
// further, so it does not land exactly on one of them.
int shownToolWindows(const QWidget *except)
{
    int count = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != except && w->isVisible() && qobject_cast<ToolWindow *>(w))
            ++count;
    return count;
}
} // namespace

QPoint ToolWindow::besideAnchor() const
{
    return defaultToolWindowPosition(m_anchor(), outerSize(this), shownToolWindows(this), availableScreenAreas());
}

void ToolWindow::placeBeside(std::function<QRect()> anchor, QPoint place)
{
    m_anchor = std::move(anchor);
    move(place);
    m_placedBeside = pos();
}

void ToolWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_placedBeside.reset(); // from now on the window stays where the user puts it
}

void ToolWindow::showTool()
{
    // The main window may have moved since the first place was worked out.
    if (m_anchor && m_placedBeside == pos() && !isVisible()) {
        // Its size as it will show: fonts polished, a fixed-size layout applied.
        ensurePolished();
        if (QLayout *own = layout())
            own->activate();
        move(besideAnchor());
    }
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
