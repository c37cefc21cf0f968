#pragma once
// What closing the floating window does before the program ends, in its fixed order: the
// settings and the launch list are saved and the speech plug-in is asked to close; only then,
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
};

void RunExitSequence(const SettingsControls& controls, SettingsStore& store, const ExitSteps& steps,
                     ShutdownPort& platform, MessageBoxes& boxes);

}  // namespace orv
