#pragma once
// What closing the floating window does before the program ends, in its fixed order: the
// running session is noted in its journal, the settings and the launch list are saved and the
// speech plug-in is asked to close; only then, with "Выключить PC" on, is the computer shut
// down, so nothing of this run is lost.

#include <functional>

#include "app/settings_controls.h"
#include "app/settings_ports.h"
#include "app/settings_store.h"
#include "app/shutdown.h"

namespace orv {

// The steps of other subsystems that the exit sequence runs around the save of the settings.
struct ExitSteps {
    // Notes the running session and the sessions a failed save kept; first, since it can
    // neither ask nor fail loudly, and a box of a later step must not stand before it.
    std::function<void()> writeJournal;
    std::function<void()> saveLaunchList;
    std::function<void()> closePlugin;
};

// With a notice, the shut-down waits for its countdown, which the user may cancel. A refused
// shut-down request is shown in a box: the program's own window ends with it.
void RunExitSequence(const SettingsControls& controls, SettingsStore& store, const ExitSteps& steps,
                     ShutdownPort& platform, MessageBoxes& boxes,
                     ShutdownNotice* notice = nullptr);

}  // namespace orv
