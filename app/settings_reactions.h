#pragma once
// The immediate effects of the settings controls. They run on every change the user makes,
// and also when LoadSettings puts a stored state into a control.

#include <cstdint>
#include <functional>
#include <string>
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
    // The status bar's only panel, for failures no switch can show and corrected fields.
    std::function<void(std::string_view)> setStatusText = {};
};

class SettingsReactions {
  public:
    SettingsReactions(SettingsControls& controls, const SettingsPorts& ports)
        : controls_(controls), ports_(ports) {}

    // Puts a state into a switch; a change has the same effect as the user's click.
    void SetSwitch(std::string_view id, bool on);
    // The reaction of a switch whose state has just changed.
    void SwitchChanged(std::string_view id);
    // The user's click on a switch: its reaction, where "Автозагрузка" turned on also takes
    // back a "disabled" that the system's start-up list holds for the entry.
    void SwitchClicked(std::string_view id);
    // A file chooser button beside one of the five sound file fields.
    void BrowsePressed(std::string_view buttonId);
    // A mouse press on a colour swatch.
    void SwatchPressed(std::string_view swatchId);
    // Puts a stored colour into a swatch and, rendered, into the matching drawing colour.
    void ApplyColour(std::string_view swatchId, std::uint32_t colour);
    void TransparencyChanged();
    // The "Автозагрузка" reaction: the autorun entry follows the switch; a refusal turns the
    // switch off, which runs this again and removes the entry, and says why in the status bar.
    // Except by the user's click (`byUser`), an entry the system's start-up list holds disabled
    // is left as it is, and the switch shows it off; the click on clears that mark.
    void UpdateAutorun(bool byUser = false);
    // A number field of the events page left: a value outside its range (which the next start
    // would silently replace by the default) becomes the nearest bound, and the status bar
    // says so.
    void ThresholdFieldLeft(std::string_view fieldId);

  private:
    void ShowStatus(std::string_view text) const;
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

// The status texts of an autorun entry that could not be written or removed.
std::string AutorunNotWrittenText(std::string_view reason);
std::string AutorunNotRemovedText(std::string_view reason);

// The threshold fields take digits and backspace only; anything else is dropped with a beep.
// The edit shortcuts (Ctrl+A, C, V, X, Z) pass, and a paste is checked by its text.
bool IsThresholdKey(char32_t key);
// Text that may be pasted into a threshold field: digits only (an empty text changes nothing).
bool IsThresholdText(std::string_view text);

}  // namespace orv
