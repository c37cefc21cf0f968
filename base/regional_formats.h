#pragma once
// The user's regional settings and the texts built from them. Portable: the Windows shell
// fills RegionalFormats from the user's locale; tests use fixed settings.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

struct RegionalFormats {
    std::string shortDate = "dd.MM.yyyy";  // Windows date picture, e.g. "M/d/yyyy"
    std::string longTime = "H:mm:ss";      // Windows time picture, e.g. "h:mm:ss tt"
    std::string amDesignator = "AM";
    std::string pmDesignator = "PM";
    std::string decimalSeparator = ",";
    std::string thousandsSeparator = "\xC2\xA0";  // no-break space
};

struct LocalDateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;

    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// The local date and time now; the Windows shell reads the clock, tests set it.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalDateTime Now() const = 0;
};

// Date and time pictures follow the Windows rules: in a date picture d, dd, M, MM, y, yy and
// yyyy; in a time picture h, hh (12-hour clock), H, HH, m, mm, s, ss, t and tt (first letter
// or whole AM/PM designator); text in single quotes is copied, '' gives one quote, and every
// other character stands for itself.
std::string FormatShortDate(const LocalDateTime& dateTime, const RegionalFormats& formats);
std::string FormatLongTime(const LocalDateTime& dateTime, const RegionalFormats& formats);

// The short date, then, unless the time is exactly 00:00:00, a blank and the long time.
std::string FormatLocalDateTime(const LocalDateTime& dateTime, const RegionalFormats& formats);

// Reads a text of FormatLocalDateTime back with the same settings; nullopt when it does not
// fit them or names no real date and time.
std::optional<LocalDateTime> ParseLocalDateTime(std::string_view text,
                                                const RegionalFormats& formats);

// The date and time the given number of milliseconds later (earlier when negative).
LocalDateTime AddMilliseconds(const LocalDateTime& dateTime, std::int64_t milliseconds);

// Milliseconds from one date and time to another (negative when `to` is earlier).
std::int64_t MillisecondsBetween(const LocalDateTime& from, const LocalDateTime& to);

// Fixed widths in year, month, day, hour, minute, second order, as "%04d-%02d-%02d %02d:%02d:%02d"
// writes them with the given marks ("-", " ", ":"): `dateMark` between the date's parts,
// `between` before the hour, `timeMark` between the time's parts.
std::string FixedWidthMoment(const LocalDateTime& t, std::string_view dateMark,
                             std::string_view between, std::string_view timeMark);

// A connection's duration as hours, minutes and seconds: hours not limited (two digits at
// least when the long time picture has HH or hh), the picture's time separator, two-digit
// minutes and seconds, no day-period marker.
std::string FormatDurationText(std::uint32_t milliseconds, const RegionalFormats& formats);

// A speed in KB/s: at most 3 significant digits and exactly 2 decimals with the user's decimal
// separator ("0,00", "12,30", "-0,50"); from 1000 on in scientific form ("1,23E+03").
std::string FormatSpeed(double kilobytesPerSecond, const RegionalFormats& formats);

// The whole number nearest to value / 10^power, exactly on the half to the even one, as the
// C library's formatter rounds; for a finite value >= 0 whose quotient is below 2^32 - 1.
std::uint32_t RoundedDecimal(double value, int power);

// Lays the decimal digits of value from the right into a picture of '#' placeholders and other
// characters: each '#' takes one digit while digits remain, other characters are always
// written, and digits beyond the picture go in front. "### ###": 0 -> " ", 1234 -> "1 234".
std::string FormatDigitPicture(std::uint64_t value, std::string_view picture);

// Whole numbers as the C library's formatter writes them, without its 20 KB in the program:
// "%.<digits>lld" (a minus sign, then at least `digits` digits, zeros in front) and
// "%0<width>lld" (the same, the minus sign counted in the width).
void AppendDecimal(std::string& out, long long value, int digits);
inline void AppendZeroPadded(std::string& out, long long value, int width) {
    AppendDecimal(out, value, value < 0 ? width - 1 : width);
}

// Bytes as whole kilobytes (halves upward) in the picture "### ###", as the tray text shows
// the traffic of a session.
std::string FormatTrafficKilobytes(std::uint64_t bytes);

}  // namespace orv
