#pragma once
// The main window's controls that carry the settings, addressed by their identifiers. While
// the program runs these controls are the live values; the setters only change state, the
// reactions to a change are SettingsReactions'.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/control_states.h"
#include "monitor/allowance_controls.h"
#include "monitor/event_controls.h"

namespace orv {

class SettingsControls : public ControlStates {
  public:
    virtual void SetChecked(std::string_view id, bool on) = 0;
    virtual void SetText(std::string_view id, std::string_view text) = 0;
    // Colour swatches.
    virtual std::uint32_t Colour(std::string_view id) const = 0;
    virtual void SetColour(std::string_view id, std::uint32_t colour) = 0;
    // Sliders.
    virtual int Position(std::string_view id) const = 0;
    virtual void SetPosition(std::string_view id, int position) = 0;
};

// Identifiers of the controls that carry settings (page "Дозвон", "События", "Настройки").
namespace ids {
// "Дозвон"
inline constexpr std::string_view kRedial = "CheckBox24";
// "Настройки": display flags
inline constexpr std::string_view kShowBytesRecv = "CheckBox11";
inline constexpr std::string_view kShowBytesSend = "CheckBox12";
inline constexpr std::string_view kShowConnectSpeed = "CheckBox13";
inline constexpr std::string_view kShowDuration = "CheckBox14";
inline constexpr std::string_view kShowClientIp = "CheckBox15";
inline constexpr std::string_view kShowServerIp = "CheckBox16";
inline constexpr std::string_view kShowCurSpeed = "CheckBox18";
inline constexpr std::string_view kShowAverageSpeed = "CheckBox19";
// "Настройки": floating window
inline constexpr std::string_view kFloatingWindow = "CheckBox17";
inline constexpr std::string_view kStayOnTop = "CheckBox22";
inline constexpr std::string_view kTransparency = "TrackBar1";
// "Настройки": colour swatches
inline constexpr std::string_view kBackgroundSwatch = "Shape1";
inline constexpr std::string_view kReceivedSwatch = "Shape2";
inline constexpr std::string_view kSentSwatch = "Shape3";
inline constexpr std::string_view kTimeSwatch = "Shape4";
inline constexpr std::string_view kBorderSwatch = "Shape5";
// "Настройки": general
inline constexpr std::string_view kSpeechPlugin = "CheckBox23";
inline constexpr std::string_view kShutDown = "CheckBox21";
inline constexpr std::string_view kAutoRun = "CheckBox20";
inline constexpr std::string_view kLanguage = "ComboBox3";
}  // namespace ids

// The ranges of the events page's number fields (their up/down buttons and the correction of a
// field left outside them).
inline constexpr int kMinTimeThreshold = 10;
inline constexpr int kMaxTimeThreshold = 1440;
inline constexpr int kMinTrafficThreshold = 1;
inline constexpr int kMaxTrafficThreshold = 10240;

}  // namespace orv
