#pragma once
// The settings reach the registry a few seconds after the user changes one, not only at exit:
// a crash or a kill then loses at most those seconds. Each change starts the delay again, so
// a slider dragged or a number typed is written once, when the user has stopped.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings_controls.h"
#include "app/settings_store.h"
#include "base/dialog_ports.h"

namespace orv {

inline constexpr unsigned kSettingsSaveDelayMs = 3000;

class SettingsAutosave {
  public:
    // startDelay (re)starts a one-shot delay of the given milliseconds that ends in
    // DelayElapsed.
    SettingsAutosave(const SettingsControls& controls, SettingsStore& store, MessageBoxes& boxes,
                     std::function<void(unsigned)> startDelay);

    // The controls hold what was loaded (the end of start-up): changes count from here on.
    void Arm();
    // A control reported a notification, after its reaction ran.
    void ControlReported(std::string_view control);
    void DelayElapsed();
    // Everything was saved by another way (exit, log-off, code 12).
    void SavedElsewhere();

  private:
    const SettingsControls& controls_;
    SettingsStore& store_;
    MessageBoxes& boxes_;
    std::function<void(unsigned)> startDelay_;
    std::vector<std::string> saved_;  // what the registry holds, as far as this run knows
    bool armed_ = false;
};

}  // namespace orv
