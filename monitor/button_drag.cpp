#include "monitor/button_drag.h"

#include <cstdlib>

namespace orv {

void ButtonDrag::Begin(ScreenPoint grab, ScreenPoint origin) {
    grab_ = grab;
    origin_ = origin;
    active_ = true;
    moved_ = false;
}

std::optional<ScreenPoint> ButtonDrag::MoveTo(ScreenPoint now, ScreenPoint threshold) {
    if (!active_) {
        return std::nullopt;
    }
    const int dx = now.x - grab_.x;
    const int dy = now.y - grab_.y;
    if (!moved_ && std::abs(dx) < threshold.x && std::abs(dy) < threshold.y) {
        return std::nullopt;
    }
    moved_ = true;
    return ScreenPoint{origin_.x + dx, origin_.y + dy};
}

bool ButtonDrag::End() {
    const bool moved = active_ && moved_;
    active_ = false;
    moved_ = false;
    return moved;
}

}  // namespace orv
