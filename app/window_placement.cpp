#include "app/window_placement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tarnwick {

namespace {

bool Reachable(const QRect& window, const QRect& screen)
{
    const QRect shown = window.intersected(screen);
    return shown.width() >= std::min(kGrabSize, window.width()) &&
           shown.height() >= std::min(kGrabSize, window.height()) && !shown.isEmpty();
}

// Squared distance from the window's centre to the nearest point of `screen`.
int64_t Distance(const QRect& window, const QRect& screen)
{
    const QPoint centre = window.center();
    const int64_t dx = centre.x() < screen.left()    ? screen.left() - centre.x()
                       : centre.x() > screen.right() ? centre.x() - screen.right()
                                                     : 0;
    const int64_t dy = centre.y() < screen.top()      ? screen.top() - centre.y()
                       : centre.y() > screen.bottom() ? centre.y() - screen.bottom()
                                                      : 0;
    return dx * dx + dy * dy;
}

}  // namespace

QRect PlaceOnScreens(const QRect& stored, const QList<QRect>& screens)
{
    if (screens.isEmpty())
        return stored;
    for (const QRect& screen : screens)
        if (Reachable(stored, screen))
            return stored;
    const QRect* nearest = &screens.front();
    int64_t best = std::numeric_limits<int64_t>::max();
    for (const QRect& screen : screens) {
        const int64_t distance = Distance(stored, screen);
        if (distance < best) {
            best = distance;
            nearest = &screen;
        }
    }
    QRect placed(stored.topLeft(), stored.size().boundedTo(nearest->size()));
    placed.moveLeft(std::clamp(placed.left(), nearest->left(), nearest->right() - placed.width() + 1));
    placed.moveTop(std::clamp(placed.top(), nearest->top(), nearest->bottom() - placed.height() + 1));
    return placed;
}

}  // namespace tarnwick
