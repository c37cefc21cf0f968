#pragma once
// The user's regional settings and the texts built from them. Portable: the Windows shell
// fills RegionalFormats from the user's locale; tests use fixed settings.

#include <cstdint>
#include <string>

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
};

// The local date and time now; the Windows shell reads the clock, tests set it.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalDateTime Now() const = 0;
};

}  // namespace orv
