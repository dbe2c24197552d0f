#pragma once
// Where windows go on the screens: the first places of the tool windows and
// the rescue of a window whose stored place lies off every screen. Pure
// geometry in screen pixels (outer frames, available screen areas).
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Step between the cascaded first places of the tool windows.
inline constexpr int kCascadeStep = 24;

// The first place of the `index`-th tool window (0, 1, …) of outer size
// `frame`: beside the main window `mainFrame` on the screen that holds most of
// it, to its right when it fits there, else to its left, else at the screen's
// right edge; each next window a cascade step lower and further in, starting
// over at the top when the screen's bottom is reached. Always on that screen
// (a window larger than the screen keeps its top-left corner on it).
// `screens` empty: the window goes beside the main window as it is.
QPoint defaultToolWindowPosition(const QRect &mainFrame, const QSize &frame, int index,
                                 const QList<QRect> &screens);

// `frame` itself when its title strip lies on a screen; otherwise the place
// on the screen nearest to it where it shows whole (or with its top-left
// corner on the screen when it is larger). `screens` empty: unchanged.
QPoint onScreenPosition(const QRect &frame, const QList<QRect> &screens);

// Where `frame` shows whole on the screen that holds most of it (or the nearest
// one), moved as little as it takes; a frame larger than the screen keeps its
// top-left corner on it. `screens` empty: unchanged.
QPoint wholeOnScreenPosition(const QRect &frame, const QList<QRect> &screens);
