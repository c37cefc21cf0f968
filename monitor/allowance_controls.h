#pragma once
// Identifiers of the controls of the monthly allowance's page "Лимит": the period's start day,
// the two limits, the warning share and the actions. The settings store them; the allowance
// reads them live at each check.

#include <string_view>

namespace orv::ids {

inline constexpr std::string_view kMonthStartDay = "Edit15";
inline constexpr std::string_view kMonthStartDayUpDown = "UpDown3";
inline constexpr std::string_view kMonthWarnPercent = "Edit16";
inline constexpr std::string_view kMonthWarnPercentUpDown = "UpDown4";
inline constexpr std::string_view kMonthTrafficLimit = "Edit17";
inline constexpr std::string_view kMonthTrafficLimitUpDown = "UpDown5";
inline constexpr std::string_view kMonthTimeLimit = "Edit18";
inline constexpr std::string_view kMonthTimeLimitUpDown = "UpDown6";
inline constexpr std::string_view kShowMessageMonth = "CheckBox27";
inline constexpr std::string_view kHangUpMonth = "CheckBox28";
inline constexpr std::string_view kPlaySoundMonth = "CheckBox29";
inline constexpr std::string_view kMonthFile = "Edit19";
inline constexpr std::string_view kBrowseMonthFile = "SpeedButton14";
// The period's figures, on the allowance page and under the statistics page's counters.
inline constexpr std::string_view kAllowanceStatus = "Label62";
inline constexpr std::string_view kStatisticsAllowance = "Label63";

}  // namespace orv::ids
