#pragma once
// What the settings reactions do to the world, behind small interfaces so that tests never
// block on a modal box or touch the machine.

#include "base/dialog_ports.h"
#include "monitor/floating_window_control.h"

namespace orv {

// The "start with Windows" entry.
class AutorunEntry {
  public:
    virtual ~AutorunEntry() = default;
    // Writes or removes the entry; false when the platform refused.
    virtual bool SetEnabled(bool on) = 0;
};

}  // namespace orv
