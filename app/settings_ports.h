#pragma once
// What the settings reactions do to the world, behind small interfaces so that tests never
// block on a modal box or touch the machine.

#include "base/dialog_ports.h"
#include "base/outcome.h"
#include "monitor/floating_window_control.h"

namespace orv {

// The "start with Windows" entry.
class AutorunEntry {
  public:
    virtual ~AutorunEntry() = default;
    // Writes the entry where the platform allows it; with `clearDisabledMark`, also takes back a
    // "disabled" that the system's start-up list holds for it. The reason when no place took it.
    virtual Outcome Enable(bool clearDisabledMark) = 0;
    // Removes the entry wherever it is; the reason when one could not be removed.
    virtual Outcome Disable() = 0;
    // True when the entry is there but the system's start-up list holds it disabled everywhere.
    virtual bool DisabledInStartupList() const = 0;
};

}  // namespace orv
