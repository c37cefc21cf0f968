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

// A stored count: a decimal integer from -2 147 483 648 (signed counts of old files) to
// 9 223 372 036 854 775 807 (a session's bytes are 64-bit); 0 for anything else.
std::int64_t ParseCount(std::string_view text);

// sum + count, held at the ends of the 64-bit range, so that no file can overflow a total.
std::int64_t AddCount(std::int64_t sum, std::int64_t count);

// Kilobytes, halves rounded up, laid from the right into the picture "### ### ###".
std::string FormatTotalKilobytes(std::int64_t bytes);

// Kilobytes, halves rounded up, with the regional thousands separator, then " KB".
std::string FormatSelectionKilobytes(std::int64_t bytes, std::string_view thousandsSeparator);

}  // namespace orv
