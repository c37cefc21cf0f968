#include "app/settings_reactions.h"

#include <algorithm>
#include <array>

namespace orv {
namespace {

struct PlaySoundRule {
    std::string_view playSwitch;
    std::string_view fileField;
};

// Only the threshold rules and the allowance check their file; the connect/disconnect row does
// not.
constexpr std::array kPlaySoundRules{
    PlaySoundRule{ids::kPlaySoundTime, ids::kTimeFile},
    PlaySoundRule{ids::kPlaySoundSpeed, ids::kSpeedFile},
    PlaySoundRule{ids::kPlaySoundTraffic, ids::kTrafficFile},
    PlaySoundRule{ids::kPlaySoundMonth, ids::kMonthFile},
};

struct BrowseButton {
    std::string_view button;
    std::string_view field;
};

constexpr std::array kBrowseButtons{
    BrowseButton{ids::kBrowseTimeFile, ids::kTimeFile},
    BrowseButton{ids::kBrowseSpeedFile, ids::kSpeedFile},
    BrowseButton{ids::kBrowseTrafficFile, ids::kTrafficFile},
    BrowseButton{ids::kBrowseConnectedFile, ids::kConnectedFile},
    BrowseButton{ids::kBrowseDisconnectedFile, ids::kDisconnectedFile},
    BrowseButton{ids::kBrowseMonthFile, ids::kMonthFile},
};

struct Swatch {
    std::string_view id;
    Colour DrawingColours::*colour;
};

constexpr std::array kSwatches{
    Swatch{ids::kBackgroundSwatch, &DrawingColours::background},
    Swatch{ids::kReceivedSwatch, &DrawingColours::received},
    Swatch{ids::kSentSwatch, &DrawingColours::sent},
    Swatch{ids::kTimeSwatch, &DrawingColours::time},
    Swatch{ids::kBorderSwatch, &DrawingColours::border},
};

template <typename Table>
auto Find(const Table& table, std::string_view key, std::string_view Table::value_type::*field) {
    return std::find_if(table.begin(), table.end(),
                        [&](const auto& row) { return row.*field == key; });
}

}  // namespace

void SettingsReactions::SetSwitch(std::string_view id, bool on) {
    if (controls_.Checked(id) == on) {
        return;
    }
    controls_.SetChecked(id, on);
    SwitchChanged(id);
}

void SettingsReactions::SwitchChanged(std::string_view id) {
    const bool on = controls_.Checked(id);
    if (const auto rule = Find(kPlaySoundRules, id, &PlaySoundRule::playSwitch);
        rule != kPlaySoundRules.end()) {
        PlaySoundChanged(rule->playSwitch, rule->fileField);
    } else if (id == ids::kFloatingWindow) {
        on ? ports_.floatingWindow.Show() : ports_.floatingWindow.Hide();
    } else if (id == ids::kStayOnTop) {
        ports_.floatingWindow.SetStayOnTop(on);
    } else if (id == ids::kAutoRun) {
        UpdateAutorun();
    } else if (id == ids::kSpeechPlugin && ports_.speechSwitched) {
        ports_.speechSwitched(on);
    }
}

void SettingsReactions::PlaySoundChanged(std::string_view switchId, std::string_view fileField) {
    if (controls_.Checked(switchId) && controls_.Text(fileField).empty()) {
        ports_.boxes.ShowError("Ошибка", "Не выбран файл");
        controls_.SetChecked(switchId, false);
    }
}

void SettingsReactions::UpdateAutorun() {
    const bool on = controls_.Checked(ids::kAutoRun);
    if (!ports_.autorun.SetEnabled(on) && on) {
        SetSwitch(ids::kAutoRun, false);
    }
}

void SettingsReactions::BrowsePressed(std::string_view buttonId) {
    const auto button = Find(kBrowseButtons, buttonId, &BrowseButton::button);
    if (button == kBrowseButtons.end()) {
        return;
    }
    if (const auto path = ports_.dialogs.ChooseFileToOpen("wav|*.wav")) {
        controls_.SetText(button->field, *path);
    }
}

void SettingsReactions::ApplyColour(std::string_view swatchId, std::uint32_t colour) {
    const auto swatch = Find(kSwatches, swatchId, &Swatch::id);
    if (swatch == kSwatches.end()) {
        return;
    }
    controls_.SetColour(swatchId, colour);
    ports_.colours.*(swatch->colour) = RenderColour(colour, ports_.systemColours);
    if (swatchId == ids::kBorderSwatch) {
        ports_.floatingWindow.RedrawFrame();
    }
}

void SettingsReactions::SwatchPressed(std::string_view swatchId) {
    const auto chosen = ports_.dialogs.ChooseColour(controls_.Colour(swatchId));
    if (!chosen) {
        return;
    }
    ApplyColour(swatchId, *chosen);
    if (swatchId == ids::kBorderSwatch) {
        // Hiding and showing again redraws the frame, and leaves the window shown.
        ports_.floatingWindow.Hide();
        ports_.floatingWindow.Show();
    }
}

void SettingsReactions::TransparencyChanged() {
    ports_.floatingWindow.SetAlpha(controls_.Position(ids::kTransparency));
}

std::vector<std::string_view> SwitchesWithReactions() {
    std::vector<std::string_view> switches{ids::kFloatingWindow, ids::kStayOnTop, ids::kAutoRun,
                                           ids::kSpeechPlugin};
    for (const PlaySoundRule& rule : kPlaySoundRules) {
        switches.push_back(rule.playSwitch);
    }
    return switches;
}

std::vector<std::string_view> BrowseButtons() {
    std::vector<std::string_view> buttons;
    for (const BrowseButton& button : kBrowseButtons) {
        buttons.push_back(button.button);
    }
    return buttons;
}

std::vector<std::string_view> ColourSwatches() {
    std::vector<std::string_view> swatches;
    for (const Swatch& swatch : kSwatches) {
        swatches.push_back(swatch.id);
    }
    return swatches;
}

bool IsThresholdKey(char32_t key) {
    return key == U'\b' || (key >= U'0' && key <= U'9');
}

}  // namespace orv
