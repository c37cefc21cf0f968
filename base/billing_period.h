#pragma once
// The billing period of a monthly allowance: from 00:00 of its start day (1 to 28, so that
// every month has it) to 00:00 of the same day a month later, and the traffic and time a
// period has used.

#include <cstdint>

#include "base/regional_formats.h"

namespace orv {

inline constexpr int kFirstStartDay = 1;
inline constexpr int kLastStartDay = 28;

struct CalendarDay {
    int year = 1899;
    int month = 12;
    int day = 30;

    friend auto operator<=>(const CalendarDay&, const CalendarDay&) = default;
};

inline CalendarDay DayOf(const LocalDateTime& moment) {
    return {moment.year, moment.month, moment.day};
}

struct BillingPeriod {
    CalendarDay first;  // the period's first day
    CalendarDay next;   // the first day of the period after it

    bool Contains(const CalendarDay& day) const { return first <= day && day < next; }
    friend bool operator==(const BillingPeriod&, const BillingPeriod&) = default;
};

// The period the moment falls in; a start day outside 1 to 28 is taken as the nearest of them.
BillingPeriod PeriodContaining(const LocalDateTime& moment, int startDay);

// What a period has used: received plus sent bytes, and time online.
struct PeriodUse {
    std::uint64_t bytes = 0;
    std::uint64_t milliseconds = 0;

    PeriodUse& operator+=(const PeriodUse& more) {
        bytes += more.bytes;
        milliseconds += more.milliseconds;
        return *this;
    }
    friend bool operator==(const PeriodUse&, const PeriodUse&) = default;
};

}  // namespace orv
