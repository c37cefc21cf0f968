#pragma once
// Identifiers of the events page's controls: the connect and disconnect notices and the three
// threshold rules. The settings store them; the threshold events read them live.

#include <string_view>

namespace orv::ids {

// "События": connect/disconnect rows
inline constexpr std::string_view kPlaySoundConnected = "CheckBox26";
inline constexpr std::string_view kShowMessageConnected = "CheckBox25";
inline constexpr std::string_view kConnectedFile = "Edit4";
inline constexpr std::string_view kDisconnectedFile = "Edit5";
// "События": the three rules
inline constexpr std::string_view kPlaySoundTime = "CheckBox2";
inline constexpr std::string_view kShowMessageTime = "CheckBox3";
inline constexpr std::string_view kHangUpTime = "CheckBox4";
inline constexpr std::string_view kPlaySoundSpeed = "CheckBox5";
inline constexpr std::string_view kShowMessageSpeed = "CheckBox6";
inline constexpr std::string_view kHangUpSpeed = "CheckBox7";
inline constexpr std::string_view kPlaySoundTraffic = "CheckBox8";
inline constexpr std::string_view kShowMessageTraffic = "CheckBox9";
inline constexpr std::string_view kHangUpTraffic = "CheckBox10";
inline constexpr std::string_view kTimeFile = "Edit1";
inline constexpr std::string_view kSpeedFile = "Edit2";
inline constexpr std::string_view kTrafficFile = "Edit3";
inline constexpr std::string_view kBrowseTimeFile = "SpeedButton1";
inline constexpr std::string_view kBrowseSpeedFile = "SpeedButton2";
inline constexpr std::string_view kBrowseTrafficFile = "SpeedButton3";
inline constexpr std::string_view kBrowseConnectedFile = "SpeedButton4";
inline constexpr std::string_view kBrowseDisconnectedFile = "SpeedButton5";
inline constexpr std::string_view kTimeThreshold = "Edit6";
inline constexpr std::string_view kTimeThresholdUpDown = "UpDown1";
inline constexpr std::string_view kSpeedThreshold = "ComboBox2";
inline constexpr std::string_view kTrafficThreshold = "Edit7";
inline constexpr std::string_view kTrafficThresholdUpDown = "UpDown2";

}  // namespace orv::ids
