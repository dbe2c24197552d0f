#include "settings/StoredWindowFit.h"

#include <algorithm>
#include <limits>

namespace {

// Squared distance from a point to a screen (0 inside); 64-bit, as stored
// places may be anywhere in the int range.
qint64 distanceSquared(qint64 x, qint64 y, const QRect &screen)
{
    // A stored place may be 2^32 away from a screen, whose square overflows:
    // capped at 2^30, every place that far is simply far, and the sum of the
    // squares stays below 2^61.
    constexpr qint64 kFar = qint64(1) << 30;
    const qint64 dx = std::min(kFar, x < screen.left() ? screen.left() - x : (x > screen.right() ? x - screen.right() : 0));
    const qint64 dy = std::min(kFar, y < screen.top() ? screen.top() - y : (y > screen.bottom() ? y - screen.bottom() : 0));
    return dx * dx + dy * dy;
}

} // namespace

StoredWindow fittedToScreens(const StoredWindow &stored, const QList<QRect> &screens)
{
    if (screens.isEmpty())
        return stored;
    const QRect *home = &screens.first();
    qint64 best = std::numeric_limits<qint64>::max();
    for (const QRect &screen : screens) {
        const qint64 d = distanceSquared(stored.left, stored.top, screen);
        if (d < best) {
            best = d;
            home = &screen;
        }
    }
    StoredWindow fitted = stored;
    // A size beyond the screen would only cost memory: the window system
    // keeps a buffer of that size for it.
    fitted.width = std::min(stored.width, home->width());
    fitted.height = std::min(stored.height, home->height());
    const bool cut = fitted.width != stored.width || fitted.height != stored.height;
    if (best > 0 || cut) {
        const int width = std::max(fitted.width, 0);
        const int height = std::max(fitted.height, 0);
        fitted.left = int(std::clamp<qint64>(stored.left, home->left(), qint64(home->right()) + 1 - width));
        fitted.top = int(std::clamp<qint64>(stored.top, home->top(), qint64(home->bottom()) + 1 - height));
    }
    return fitted;
}
