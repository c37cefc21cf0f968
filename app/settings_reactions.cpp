#include "app/settings_reactions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>


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

struct RangedField {
    std::string_view field;
    int low;
    int high;
    int fallback;  // for an empty field
};

constexpr std::array kRangedFields{
    RangedField{ids::kTimeThreshold, kMinTimeThreshold, kMaxTimeThreshold, 10},
    RangedField{ids::kTrafficThreshold, kMinTrafficThreshold, kMaxTrafficThreshold, 100},
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

void SettingsReactions::SwitchClicked(std::string_view id) {
    if (id == ids::kAutoRun) {
        UpdateAutorun(true);
    } else {
        SwitchChanged(id);
    }
}

void SettingsReactions::ShowStatus(std::string_view text) const {
    if (ports_.setStatusText) {
        ports_.setStatusText(text);
    }
}

void SettingsReactions::PlaySoundChanged(std::string_view switchId, std::string_view fileField) {
    if (controls_.Checked(switchId) && controls_.Text(fileField).empty()) {
        if (ports_.language == nullptr || ports_.language->IsRussian()) {
            ports_.boxes.ShowError("Ошибка", "Не выбран файл");
        } else {
            ports_.boxes.ShowError("Error", "No sound file is chosen");
        }
        controls_.SetChecked(switchId, false);
    }
}

void SettingsReactions::UpdateAutorun(bool byUser) {
    // Task Manager's "disabled" holds until the user's own click on the switch: the settings
    // load shows such an entry off and leaves it listed there.
    const bool leftToStartupList = !byUser && ports_.autorun.DisabledInStartupList();
    if (!controls_.Checked(ids::kAutoRun)) {
        if (leftToStartupList) {
            return;
        }
        if (const Outcome removed = ports_.autorun.Disable(); !removed.ok()) {
            ShowStatus(AutorunNotRemovedText(removed.error()));
        }
        return;
    }
    if (leftToStartupList) {
        controls_.SetChecked(ids::kAutoRun, false);
        return;
    }
    if (const Outcome written = ports_.autorun.Enable(byUser); !written.ok()) {
        SetSwitch(ids::kAutoRun, false);
        ShowStatus(AutorunNotWrittenText(written.error()));
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

void SettingsReactions::ThresholdFieldLeft(std::string_view fieldId) {
    const auto ranged = Find(kRangedFields, fieldId, &RangedField::field);
    if (ranged == kRangedFields.end()) {
        return;
    }
    // The field takes digits only: its text is empty or a number, perhaps a very long one. A
    // text that is no number (a stored value edited by hand) counts as empty.
    const std::string text = controls_.Text(fieldId);
    const bool number = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
    const std::size_t digits = text.find_first_not_of('0');
    int corrected = 0;
    if (!number) {
        corrected = ranged->fallback;
    } else if (digits == std::string::npos || text.size() - digits > 9) {
        corrected = digits == std::string::npos ? ranged->low : ranged->high;
    } else {
        int value = 0;
        std::from_chars(text.data() + digits, text.data() + text.size(), value);
        if (value >= ranged->low && value <= ranged->high) {
            return;
        }
        corrected = std::clamp(value, ranged->low, ranged->high);
    }
    const std::string value = std::to_string(corrected);
    controls_.SetText(fieldId, value);
    if (!ports_.setStatusText) {
        return;
    }
    const std::string low = std::to_string(ranged->low);
    const std::string high = std::to_string(ranged->high);
    if (ports_.language == nullptr || ports_.language->IsRussian()) {
        ports_.setStatusText("Допустимы значения от " + low + " до " + high + ": поле исправлено на " +
                          value);
    } else {
        ports_.setStatusText("The field takes " + low + " to " + high + ": corrected to " + value);
    }
}

std::vector<std::string_view> RangedThresholdFields() {
    std::vector<std::string_view> fields;
    for (const RangedField& ranged : kRangedFields) {
        fields.push_back(ranged.field);
    }
    return fields;
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

std::string AutorunNotWrittenText(std::string_view reason) {
    return "Unable to start Orvane with Windows: " + std::string(reason);
}

std::string AutorunNotRemovedText(std::string_view reason) {
    return "Unable to remove Orvane from the programs that start with Windows: " +
           std::string(reason);
}

bool IsThresholdKey(char32_t key) {
    // Ctrl+A, C, V, X and Z arrive as the characters 1, 3, 22, 24 and 26.
    constexpr std::array<char32_t, 5> kEditShortcuts{1, 3, 22, 24, 26};
    return key == U'\b' || (key >= U'0' && key <= U'9') ||
           std::find(kEditShortcuts.begin(), kEditShortcuts.end(), key) != kEditShortcuts.end();
}

bool IsThresholdText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace orv
