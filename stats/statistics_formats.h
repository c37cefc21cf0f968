#pragma once
// The number and duration texts of the session list, its totals, the selection sums, the month
// charts and the HTML report. Sums are 64-bit so that long histories never wrap.

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

struct DurationParts {
    std::int64_t hours = 0;
    std::int64_t minutes = 0;
    std::int64_t seconds = 0;
};

// Whole hours (not limited to 24), minutes and seconds of a duration in milliseconds; every
// division truncates.
DurationParts SplitDuration(std::int64_t ms);

// "%.2d:%.2d:%.2d" of SplitDuration: 3 723 000 gives "01:02:03", 360 000 000 "100:00:00".
std::string FormatDuration(std::int64_t ms);

// Seconds of a FormatDuration text (hours of any number of digits up to a million, minutes and
// seconds up to 59); 0 for any other text.
std::int64_t ParseDuration(std::string_view text);

// A stored count: a decimal integer from -2 147 483 648 to 4 294 967 295 (the counters are
// unsigned 32-bit); 0 for anything else.
std::int64_t ParseCount(std::string_view text);

// Kilobytes, halves rounded up, laid from the right into the picture "### ### ###".
std::string FormatTotalKilobytes(std::int64_t bytes);

// Kilobytes, halves rounded up, with the regional thousands separator, then " KB".
std::string FormatSelectionKilobytes(std::int64_t bytes, std::string_view thousandsSeparator);

}  // namespace orv
