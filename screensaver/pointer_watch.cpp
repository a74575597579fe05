// Pointer movement that ends the saver.
#include "pointer_watch.h"

bool PointerMovedAway(PointerWatch& watch, int x, int y) {
    if (!watch.Started) {
        watch = {true, x, y};
        return false;
    }
    // In 64 bits, so that no pair of positions can overflow.
    long long dx = static_cast<long long>(x) - watch.StartX;
    long long dy = static_cast<long long>(y) - watch.StartY;
    return dx * dx + dy * dy > static_cast<long long>(PointerTolerance) * PointerTolerance;
}
