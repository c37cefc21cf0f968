#include "stats/statistics_formats.h"

#include <charconv>
#include <limits>

#include "base/regional_formats.h"

namespace orv {

namespace {

constexpr std::int64_t kMsPerHour = 3'600'000;
constexpr std::int64_t kMsPerMinute = 60'000;

// Bytes to whole kilobytes, halves upward (floor of x + 0.5, also for negative sums), without
// adding the half first, which a total at the top of the range could not take.
std::int64_t RoundedKilobytes(std::int64_t bytes) {
    std::int64_t kb = bytes / 1024;
    std::int64_t rest = bytes % 1024;
    if (rest < 0) {
        --kb;
        rest += 1024;
    }
    return rest >= 512 ? kb + 1 : kb;
}

// Decimal digits of |value|, none for zero (both pictures show no digit for it); the sign is
// the caller's.
// A zero reads as "0": a figure with no digit at all looks like one that is missing.
std::string Digits(std::int64_t value) {
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    return std::to_string(magnitude);
}

bool ParseWhole(std::string_view text, std::int64_t& value) {
    if (text.empty()) {
        return false;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

}  // namespace

DurationParts SplitDuration(std::int64_t ms) {
    DurationParts parts;
    parts.hours = ms / kMsPerHour;
    parts.minutes = (ms - parts.hours * kMsPerHour) / kMsPerMinute;
    parts.seconds = (ms - parts.hours * kMsPerHour - parts.minutes * kMsPerMinute) / 1000;
    return parts;
}

std::string FormatDuration(std::int64_t ms) {
    const DurationParts parts = SplitDuration(ms);
    std::string text;  // "%.2lld:%.2lld:%.2lld"
    AppendDecimal(text, parts.hours, 2);
    text += ':';
    AppendDecimal(text, parts.minutes, 2);
    text += ':';
    AppendDecimal(text, parts.seconds, 2);
    return text;
}

std::int64_t ParseDuration(std::string_view text) {
    const std::size_t first = text.find(':');
    const std::size_t second = first == std::string_view::npos ? first : text.find(':', first + 1);
    if (second == std::string_view::npos) {
        return 0;
    }
    std::int64_t hours = 0;
    std::int64_t minutes = 0;
    std::int64_t seconds = 0;
    if (!ParseWhole(text.substr(0, first), hours) ||
        !ParseWhole(text.substr(first + 1, second - first - 1), minutes) ||
        !ParseWhole(text.substr(second + 1), seconds)) {
        return 0;
    }
    // FormatDuration never writes more than 59 minutes or seconds, nor more hours than a stored
    // 32-bit duration holds; the bound keeps the selection sum in milliseconds from overflow
    // over two million rows.
    constexpr std::int64_t kMaxHours = 1'000'000;
    if (hours < -kMaxHours || hours > kMaxHours || minutes < -59 || minutes > 59 || seconds < -59 ||
        seconds > 59) {
        return 0;
    }
    return hours * 3600 + minutes * 60 + seconds;
}

std::int64_t ParseCount(std::string_view text) {
    std::int64_t value = 0;
    if (!ParseWhole(text, value) || value < std::numeric_limits<std::int32_t>::min()) {
        return 0;
    }
    return value;
}

std::int64_t AddCount(std::int64_t sum, std::int64_t count) {
    std::int64_t result = 0;
    if (__builtin_add_overflow(sum, count, &result)) {
        return count < 0 ? std::numeric_limits<std::int64_t>::min()
                         : std::numeric_limits<std::int64_t>::max();
    }
    return result;
}

std::string FormatTotalKilobytes(std::int64_t bytes) {
    const std::int64_t kb = RoundedKilobytes(bytes);
    const std::string digits = Digits(kb);
    // Groups of the picture from the right; the two blanks are always written.
    const std::size_t count = digits.size();
    const std::size_t last = count < 3 ? count : 3;
    const std::size_t middle = count - last < 3 ? count - last : 3;
    const std::size_t front = count - last - middle;
    std::string text = digits.substr(0, front) + ' ' + digits.substr(front, middle) + ' ' +
                       digits.substr(front + middle);
    if (kb < 0) {
        text.insert(text.find_first_not_of(' '), 1, '-');
    }
    return text;
}

std::string FormatSelectionKilobytes(std::int64_t bytes, std::string_view thousandsSeparator) {
    const std::int64_t kb = RoundedKilobytes(bytes);
    const std::string digits = Digits(kb);
    std::string text = kb < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (digits.size() - i) % 3 == 0) {
            text += thousandsSeparator;
        }
        text += digits[i];
    }
    return text + " KB";
}

}  // namespace orv
