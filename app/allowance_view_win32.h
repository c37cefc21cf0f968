#pragma once
// The monthly allowance in the running program: the period tally in front of the statistics
// file, the fourth rule of the minute check, and its figures on the allowance page, under the
// statistics page's counters and as the tray text's last line while a limit is set.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "monitor/month_allowance.h"
#include "stats/period_tally.h"

namespace orv {

struct AllowanceServices {
    SessionStore& file;  // the statistics file, which stores into `document`
    const StatisticsDocument& document;
    const ControlStates& controls;
    SoundPlayer& sounds;
    TrayBalloons& balloons;
    const Clock& clock;
    const RegionalFormats& formats;
    const LanguageCode& language;
    std::function<void()> hangUp;
    std::function<RunningUse()> running;
    std::function<HWND(std::string_view id)> control;  // a main window control by identifier
};

class AllowanceView {
  public:
    explicit AllowanceView(AllowanceServices services);

    // The tick's session store: the file, and the period's sums.
    SessionStore& Sessions() { return tally_; }
    void MinuteCheck() { allowance_.MinuteCheck(); }
    // After each tick: the figures of the two pages.
    void ShowFigures() const;
    // The tray text with the allowance's line when a limit is set.
    std::string WithTrayLine(std::string trayText) const;

  private:
    PeriodTally tally_;
    MonthAllowance allowance_;
    std::function<HWND(std::string_view id)> control_;
};

}  // namespace orv
