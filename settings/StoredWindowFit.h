#pragma once
// Stored window bounds made safe for the screens there are now: a settings
// file may come from another computer, or be damaged.
#include "settings/StoredSettings.h"

#include <QList>
#include <QRect>

// `stored` (outer bounds in screen pixels) with its size no larger than the
// screen it belongs to: the one holding its top-left corner, else the nearest.
// A window whose size was cut, or whose top-left corner is on no screen, is
// moved onto that screen so it shows whole; otherwise its place is kept (it
// may hang over an edge, as the user left it). `screens` empty: unchanged.
// Any numbers are taken, up to INT_MIN and INT_MAX.
StoredWindow fittedToScreens(const StoredWindow &stored, const QList<QRect> &screens);
