#include "app/exit_sequence.h"

#include "app/monitor_settings.h"

namespace orv {

void RunExitSequence(const SettingsControls& controls, SettingsStore& store, const ExitSteps& steps,
                     ShutdownPort& platform, MessageBoxes& boxes, ShutdownNotice* notice) {
    SaveSettings(controls, store, boxes);
    steps.saveLaunchList();
    steps.closePlugin();
    if (steps.storeSessions) {
        steps.storeSessions();
    }
    if (controls.Checked(ids::kShutDown)) {
        ShutDownComputer(platform, boxes, notice);
    }
}

}  // namespace orv
