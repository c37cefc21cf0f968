#include "app/settings_autosave.h"

#include <utility>

#include "app/monitor_settings.h"

namespace orv {

SettingsAutosave::SettingsAutosave(const SettingsControls& controls, SettingsStore& store,
                                   MessageBoxes& boxes, std::function<void(unsigned)> startDelay)
    : controls_(controls), store_(store), boxes_(boxes), startDelay_(std::move(startDelay)) {}

void SettingsAutosave::Arm() {
    // What was loaded is taken as stored; a value that loading changed (a sound switch without
    // its file) is written with the first change or at exit.
    saved_ = SettingsTexts(controls_);
    armed_ = true;
}

void SettingsAutosave::ControlReported(std::string_view control) {
    if (armed_ && HoldsSetting(control)) {
        startDelay_(kSettingsSaveDelayMs);
    }
}

void SettingsAutosave::DelayElapsed() {
    if (!armed_) {
        return;
    }
    std::vector<std::string> texts = SettingsTexts(controls_);
    // A notification that changed nothing (a click on a switch's label, focus) writes nothing.
    if (texts == saved_) {
        return;
    }
    // A failed save is reported; the next change tries again.
    if (SaveSettings(controls_, store_, boxes_)) {
        saved_ = std::move(texts);
    }
}

void SettingsAutosave::SavedElsewhere() {
    if (armed_) {
        saved_ = SettingsTexts(controls_);
    }
}

}  // namespace orv
