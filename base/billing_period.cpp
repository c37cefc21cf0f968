#include "base/billing_period.h"

#include <algorithm>

namespace orv {

BillingPeriod PeriodContaining(const LocalDateTime& moment, int startDay) {
    const int day = std::clamp(startDay, kFirstStartDay, kLastStartDay);
    CalendarDay first{moment.year, moment.month, day};
    if (moment.day < day) {  // still in the period that began last month
        first = moment.month == 1 ? CalendarDay{moment.year - 1, 12, day}
                                  : CalendarDay{moment.year, moment.month - 1, day};
    }
    const CalendarDay next = first.month == 12 ? CalendarDay{first.year + 1, 1, day}
                                               : CalendarDay{first.year, first.month + 1, day};
    return {first, next};
}

}  // namespace orv
