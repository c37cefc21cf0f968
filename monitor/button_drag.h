#pragma once
// Moving the floating window with the right or middle button, which the platform's own move
// loop does not follow. A press that wanders less than the drag threshold is still a click (a
// right click then opens the menu).

#include <optional>

#include "monitor/tray_hint_layout.h"

namespace orv {

class ButtonDrag {
  public:
    // A button went down at `grab` (screen) while the window's top-left was at `origin`.
    void Begin(ScreenPoint grab, ScreenPoint origin);
    // The pointer moved to `now`: the window's new top-left, or nothing while no drag runs or
    // the pointer stays within `threshold` of the grab on both axes before the first move.
    std::optional<ScreenPoint> MoveTo(ScreenPoint now, ScreenPoint threshold);
    // The button went up: true when the window was moved, so the release is no click.
    bool End();
    // The capture was lost: the drag ends without a click.
    void Cancel() { active_ = false; }
    bool Active() const { return active_; }

  private:
    ScreenPoint grab_;
    ScreenPoint origin_;
    bool active_ = false;
    bool moved_ = false;
};

}  // namespace orv
