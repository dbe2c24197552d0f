#include "widgets/WindowPlacement.h"

#include <algorithm>
#include <limits>

namespace {

// Gap between the main window and the tool windows beside it.
constexpr int kGap = 8;
// The part of a window's top that must be on a screen to reach it: as high as
// a title bar, wide enough to grab.
constexpr int kTitleHeight = 24;
constexpr int kGrabWidth = 100;

qint64 overlapArea(const QRect &a, const QRect &b)
{
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : qint64(both.width()) * both.height();
}

// The screen holding most of `frame`; when none holds any, the nearest one.
QRect screenFor(const QRect &frame, const QList<QRect> &screens)
{
    QRect best = screens.first();
    qint64 bestArea = -1;
    for (const QRect &s : screens) {
        const qint64 area = overlapArea(frame, s);
        if (area > bestArea) {
            best = s;
            bestArea = area;
        }
    }
    if (bestArea > 0)
        return best;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (const QRect &s : screens) {
        const QPoint d = s.center() - frame.center();
        const qint64 distance = qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
        if (distance < bestDistance) {
            best = s;
            bestDistance = distance;
        }
    }
    return best;
}

// `frame` moved inside `screen` as far as its size allows, top-left first.
QPoint clampedInto(const QRect &frame, const QRect &screen)
{
    const int x = std::max(screen.left(), std::min(frame.left(), screen.right() + 1 - frame.width()));
    const int y = std::max(screen.top(), std::min(frame.top(), screen.bottom() + 1 - frame.height()));
    return {x, y};
}

} // namespace

QPoint defaultToolWindowPosition(const QRect &mainFrame, const QSize &frame, int index,
                                 const QList<QRect> &screens)
{
    QRect place(QPoint(mainFrame.right() + 1 + kGap, mainFrame.top()), frame);
    if (screens.isEmpty())
        return place.topLeft();
    const QRect screen = screenFor(mainFrame, screens);
    int direction = 1; // the cascade runs away from the main window
    if (place.right() > screen.right()) {
        place.moveLeft(mainFrame.left() - kGap - frame.width());
        direction = -1;
        if (place.left() < screen.left())
            place.moveLeft(screen.right() + 1 - frame.width());
    }
    place.moveTopLeft(clampedInto(place, screen));
    // As many cascade steps as fit below the first place, then over again.
    const int room = screen.bottom() + 1 - frame.height() - place.top();
    const int steps = std::max(1, room / kCascadeStep + 1);
    const int k = std::max(0, index) % steps;
    place.translate(direction * k * kCascadeStep, k * kCascadeStep);
    return clampedInto(place, screen);
}

QPoint wholeOnScreenPosition(const QRect &frame, const QList<QRect> &screens)
{
    return screens.isEmpty() ? frame.topLeft() : clampedInto(frame, screenFor(frame, screens));
}

QPoint onScreenPosition(const QRect &frame, const QList<QRect> &screens)
{
    if (screens.isEmpty())
        return frame.topLeft();
    const QRect title(frame.topLeft(), QSize(frame.width(), std::min(frame.height(), kTitleHeight)));
    for (const QRect &s : screens) {
        const QRect shown = title.intersected(s);
        if (!shown.isEmpty() && shown.width() >= std::min(frame.width(), kGrabWidth)
            && title.top() >= s.top())
            return frame.topLeft();
    }
    return clampedInto(frame, screenFor(frame, screens));
}
