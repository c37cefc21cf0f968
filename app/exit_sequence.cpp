#include "app/exit_sequence.h"

#include "app/monitor_settings.h"

namespace orv {

void RunExitSequence(const SettingsControls& controls, SettingsStore& store, const ExitSteps& steps,
                     ShutdownPort& platform, MessageBoxes& boxes, ShutdownNotice* notice) {
    if (steps.writeJournal) {
        steps.writeJournal();
    }
    SaveSettings(controls, store, boxes);
    steps.saveLaunchList();
    steps.closePlugin();
    if (controls.Checked(ids::kShutDown)) {
        ShutDownComputer(
            platform, boxes, [&boxes](std::string_view text) { boxes.ShowError("Orvane", text); },
            notice);
    }
}

}  // namespace orv
