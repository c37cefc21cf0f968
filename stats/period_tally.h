#pragma once
// The stored sessions' traffic and time summed by the day their end fell on, so that the
// monthly allowance asks a billing period's figures without reading the statistics each
// minute. It sits in front of the statistics file as the tick's session store and adds each
// session it passes on; when the document changes otherwise (cleared, read late), it reads the
// document again once, at the next question.

#include <cstddef>
#include <map>
#include <string_view>

#include "base/billing_period.h"
#include "base/regional_formats.h"
#include "monitor/monitor_ports.h"
#include "stats/statistics_document.h"

namespace orv {

class PeriodTally final : public SessionStore {
  public:
    // `next` stores the session into `document`.
    PeriodTally(SessionStore& next, const StatisticsDocument& document,
                const RegionalFormats& formats);

    void AppendSession(const ConnectionInfo& session) override;

    // The sessions stored so far whose end falls in the period. A session whose end does not
    // read as a date and time of the user's formats belongs to no period.
    PeriodUse StoredIn(const BillingPeriod& period);

  private:
    void Add(std::string_view end, std::string_view duration, std::string_view received,
             std::string_view sent);
    void Recount();

    SessionStore& next_;
    const StatisticsDocument& document_;
    const RegionalFormats& formats_;
    std::map<CalendarDay, PeriodUse> days_;
    // The records of the document the sums hold; kNotCounted until they are read first.
    static constexpr std::size_t kNotCounted = static_cast<std::size_t>(-1);
    std::size_t counted_ = kNotCounted;
};

}  // namespace orv
