#pragma once
// The immediate effects of the settings controls. They run on every change the user makes,
// and also when LoadSettings puts a stored state into a control.

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "app/settings_controls.h"
#include "app/settings_ports.h"
#include "base/language_code.h"
#include "base/stored_colour.h"
#include "monitor/drawing_colours.h"

namespace orv {

struct SettingsPorts {
    MessageBoxes& boxes;
    CommonDialogs& dialogs;
    FloatingWindowControl& floatingWindow;
    AutorunEntry& autorun;
    // The current drawing colours, which the swatches keep rendered to plain RGB.
    DrawingColours& colours;
    const SystemColours& systemColours;
    // "Голос. управл." switched: on starts the speech plug-in, off stops it.
    std::function<void(bool on)> speechSwitched = {};
    // The language of the program's own texts; none: as designed (Russian).
    const LanguageCode* language = nullptr;
    // The main window's status bar, which tells of a corrected field.
    std::function<void(std::string_view)> statusText = {};
};

class SettingsReactions {
  public:
    SettingsReactions(SettingsControls& controls, const SettingsPorts& ports)
        : controls_(controls), ports_(ports) {}

    // Puts a state into a switch; a change has the same effect as the user's click.
    void SetSwitch(std::string_view id, bool on);
    // The reaction of a switch whose state has just changed.
    void SwitchChanged(std::string_view id);
    // A file chooser button beside one of the five sound file fields.
    void BrowsePressed(std::string_view buttonId);
    // A mouse press on a colour swatch.
    void SwatchPressed(std::string_view swatchId);
    // Puts a stored colour into a swatch and, rendered, into the matching drawing colour.
    void ApplyColour(std::string_view swatchId, std::uint32_t colour);
    void TransparencyChanged();
    // The "Автозагрузка" reaction: the autorun entry follows the switch; a refusal turns the
    // switch off, which runs this again and removes the entry.
    void UpdateAutorun();
    // A number field of the events page left: a value outside its range (which the next start
    // would silently replace by the default) becomes the nearest bound, and the status bar
    // says so.
    void ThresholdFieldLeft(std::string_view fieldId);

  private:
    void PlaySoundChanged(std::string_view switchId, std::string_view fileField);

    SettingsControls& controls_;
    SettingsPorts ports_;
};

// The controls that have a reaction here, for the settings page to register: switches,
// the sound files' browse buttons and the colour swatches.
std::vector<std::string_view> SwitchesWithReactions();
std::vector<std::string_view> BrowseButtons();
std::vector<std::string_view> ColourSwatches();
// The number fields with a range: the duration and the traffic thresholds.
std::vector<std::string_view> RangedThresholdFields();

// The threshold fields take digits and backspace only; anything else is dropped with a beep.
bool IsThresholdKey(char32_t key);

}  // namespace orv
