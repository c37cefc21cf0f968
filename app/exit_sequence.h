#pragma once
// What closing the floating window does before the program ends, in its fixed order: the
// settings and the launch list are saved, the speech plug-in is asked to close and the sessions
// of this run are stored; only then,
// with "Выключить PC" on, is the computer shut down, so nothing chosen in this run is lost.

#include <functional>

#include "app/settings_controls.h"
#include "app/settings_ports.h"
#include "app/settings_store.h"
#include "app/shutdown.h"

namespace orv {

// The steps of other subsystems that the exit sequence runs between the save and the shut-down.
struct ExitSteps {
    std::function<void()> saveLaunchList;
    std::function<void()> closePlugin;
    // Stores the running session and saves the sessions a failed save kept in memory; it may
    // ask the user, so it comes before the computer is shut down.
    std::function<void()> storeSessions;
};

// With a notice, the shut-down waits for its countdown, which the user may cancel.
void RunExitSequence(const SettingsControls& controls, SettingsStore& store, const ExitSteps& steps,
                     ShutdownPort& platform, MessageBoxes& boxes,
                     ShutdownNotice* notice = nullptr);

}  // namespace orv
