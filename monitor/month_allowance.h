#pragma once
// The monthly allowance, the minute check's fourth rule: the traffic and time of the billing
// period (the stored sessions that ended in it and the running one) against the limits of the
// allowance page. Once a period a limit that passes the warning share is announced; while a
// limit is used up, every check of a session runs the actions (sound, balloon, hang-up).

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/billing_period.h"
#include "base/control_states.h"
#include "base/language_code.h"
#include "base/regional_formats.h"
#include "monitor/monitor_tick.h"
#include "monitor/threshold_events.h"

namespace orv {

// The allowance page's values as its fields hold them now; a field that is not a number gives
// the default (start day 1, no limits, warning at 90 %).
struct AllowanceSettings {
    int startDay = 1;
    std::uint64_t trafficLimitMB = 0;  // 0: none
    std::uint64_t timeLimitHours = 0;  // 0: none
    int warnPercent = 90;              // 1 to 100

    bool HasLimit() const { return trafficLimitMB != 0 || timeLimitHours != 0; }
};
AllowanceSettings ReadAllowanceSettings(const ControlStates& controls);

// The session the monitor follows, as far as it has got.
struct RunningUse {
    bool inSession = false;
    PeriodUse use;
};
RunningUse RunningUseOf(const ConnectionMonitor& monitor);

struct AllowanceStatus {
    AllowanceSettings settings;
    BillingPeriod period;
    PeriodUse used;  // stored sessions of the period and the running one
};

struct MonthAllowancePorts {
    const ControlStates& controls;
    SoundPlayer& sounds;
    TrayBalloons& balloons;
    const Clock& clock;
    const RegionalFormats& formats;
    const LanguageCode& language;
    // The dial page's hang-up action.
    std::function<void()> hangUp;
    // The stored sessions whose end falls in the period.
    std::function<PeriodUse(const BillingPeriod&)> stored;
    std::function<RunningUse()> running;
};

class MonthAllowance {
  public:
    explicit MonthAllowance(MonthAllowancePorts ports);

    // Run by the minute timer after the three threshold rules; acts only during a session.
    void MinuteCheck();

    AllowanceStatus Status() const;
    // "Period from 12/15/2026: 812.4 of 1024 MB, 12:30:00 of 40 h" (Russian with a Russian
    // language file); a figure without a limit stands alone.
    std::string StatusLine(const AllowanceStatus& status) const;

  private:
    enum class Limit { Traffic, Time };
    struct Warned {
        CalendarDay period;
        std::uint64_t limit;
    };
    std::string LimitText(Limit limit, const AllowanceStatus& status, bool usedUp) const;
    std::string UsedText(Limit limit, const AllowanceStatus& status) const;

    MonthAllowancePorts ports_;
    std::array<std::optional<Warned>, 2> warned_{};  // by Limit
};

}  // namespace orv
