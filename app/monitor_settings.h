#pragma once
// MonitorSettings: every persisted option with its value name, type, default and the control
// that holds it while the program runs, and the operations that move values between the
// store and the controls.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings_controls.h"
#include "app/settings_store.h"
#include "base/dialog_ports.h"
#include "monitor/monitor_ports.h"

namespace orv {

class SettingsReactions;

// Number: a text holding an integer, kept inside [low, high] when it is loaded; the field's text
// as typed is saved.
enum class SettingKind { Flag, Integer, Colour, Text, Number };

struct SettingSpec {
    std::string_view name;
    SettingKind kind;
    std::uint32_t defaultNumber;   // flags (0/1), integers and colours
    std::string_view defaultText;  // texts
    std::string_view control;
    // Whose reaction LoadSettings runs once more after setting it, changed or not.
    bool reappliedOnLoad = false;
    int low = 0;  // the range of a Number
    int high = 0;
};

// In the order LoadSettings applies them.
std::span<const SettingSpec> MonitorSettings();
const SettingSpec& FindSetting(std::string_view name);
// The order SaveSettings writes in.
std::span<const std::string_view> SaveOrder();

// Opens nothing itself: the store is already open. Returns FlowingWindow.
bool ReadStartupFlag(const SettingsStore& store);
// Store to controls, every value but the thresholds and Language, with the reactions.
void LoadSettings(const SettingsStore& store, SettingsControls& controls,
                  SettingsReactions& reactions);
// The three thresholds into the events page, clamped to their up/down ranges.
void ReadThresholds(const SettingsStore& store, SettingsControls& controls);
// Controls to store. Every value is tried; when any write fails, one error box says so with
// the first failure's reason, and the result is false.
bool SaveSettings(const SettingsControls& controls, SettingsStore& store, MessageBoxes& boxes);

// The texts SaveSettings would write now, in its order.
std::vector<std::string> SettingsTexts(const SettingsControls& controls);
// Whether the control holds a value of the table.
bool HoldsSetting(std::string_view control);

// The display options as the settings page's check boxes hold them now.
DisplayFlags DisplayFlagsOf(const SettingsControls& controls);

inline constexpr int kThresholdStep = 10;
inline constexpr int kMinTransparency = 55;
inline constexpr int kMaxTransparency = 255;
// The monthly allowance's fields.
inline constexpr int kMaxWarnPercent = 100;
inline constexpr int kMaxTrafficLimitMB = 100'000'000;  // about 95 TB
inline constexpr int kMaxTimeLimitHours = 744;          // every hour of a 31-day month

}  // namespace orv
