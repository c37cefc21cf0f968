#pragma once
// The month charts: online time, received or sent bytes of every session summed by the month
// its end fell in (the year ignored), scaled to bars of at most 150 pixels, with the titles and
// month names in English or Russian. Sums are 64-bit, so months past 2 GB or 596 hours show
// their true figures.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/regional_formats.h"
#include "stats/session_list.h"

namespace orv {

enum class MonthChartKind { Time, Received, Sent };

inline constexpr int kMonthBarMaxWidth = 150;
inline constexpr int kMonthRowStep = 22;
inline constexpr int kMonthBarLeft = 70;
inline constexpr int kMonthBarHeight = 15;
inline constexpr int kMonthNameLeft = 8;
inline constexpr int kMonthFigureLeft = 250;

struct MonthChart {
    MonthChartKind kind = MonthChartKind::Time;
    std::array<std::int64_t, 12> sums{};  // seconds for time, bytes otherwise; January first
    std::size_t leftOut = 0;              // rows whose end did not read as a date
};

// The sums over the rows of the list whose end (column 9) reads as a date and time of the
// user's formats; the others are counted as left out. Stored ends follow the formats of the
// day they were written, so one change of the regional settings must not hide every month.
MonthChart SumByMonth(const SessionList& list, MonthChartKind kind,
                      const RegionalFormats& formats);
// What the window says of the rows left out; empty when there are none.
std::string LeftOutNote(std::size_t leftOut, bool russian);

// Bar widths: sum / max x 150 rounded to the nearest, halves to even. max is the largest sum,
// at least 1 for bytes; a time chart with no time has bars of width 0. Negative sums (counts
// stored as negative numbers) give width 0.
std::array<int, 12> MonthBarWidths(const MonthChart& chart);

// "January:  " ... or "Январь:  " ...; month 1 to 12.
std::string_view MonthName(int month, bool russian);
std::string_view MonthChartTitle(MonthChartKind kind, bool russian);
// The figure beside a bar: bytes in plain decimal, time as hh:mm:ss of any number of hours.
std::string MonthFigure(const MonthChart& chart, int month);

}  // namespace orv
