// Where a remembered window placement is put back on the screens there are
// now. A placement stored on another monitor set-up may lie where no screen
// is; such a window could not be reached with the mouse at all.
#pragma once

#include <QList>
#include <QRect>

namespace tarnwick {

// `stored` as it is when enough of it shows on one of `screens` (the screens'
// available areas) to be grabbed: at least kGrabSize pixels in both
// directions, or all of it when it is smaller. Otherwise the window moves to
// the screen nearest to it, shrunk to that screen where it is larger, and
// placed wholly inside it. With no screens, `stored` is returned.
QRect PlaceOnScreens(const QRect& stored, const QList<QRect>& screens);

inline constexpr int kGrabSize = 32;

}  // namespace tarnwick
