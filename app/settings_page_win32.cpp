#include "app/settings_page_win32.h"

namespace orv {

void RegisterSettingsReactions(ControlReactions& controls, SettingsReactions& reactions) {
    for (std::string_view id : SwitchesWithReactions()) {
        controls.OnClick(id, [&reactions, id] { reactions.SwitchClicked(id); });
    }
    for (std::string_view id : BrowseButtons()) {
        controls.OnClick(id, [&reactions, id] { reactions.BrowsePressed(id); });
    }
    // A swatch reacts to any press, not only to a click.
    for (std::string_view id : ColourSwatches()) {
        controls.OnCommand(id, [&reactions, id](int) { reactions.SwatchPressed(id); });
    }
    controls.OnScroll(ids::kTransparency, [&reactions] { reactions.TransparencyChanged(); });
    for (std::string_view id : RangedThresholdFields()) {
        controls.OnCommand(id, [&reactions, id](int code) {
            if (code == EN_KILLFOCUS) {
                reactions.ThresholdFieldLeft(id);
            }
        });
    }
}

}  // namespace orv
