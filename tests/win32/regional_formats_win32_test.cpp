#include "base/win32/user_locale.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace orv {
namespace {

SYSTEMTIME ToSystemTime(const LocalDateTime& moment) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(moment.year);
    time.wMonth = static_cast<WORD>(moment.month);
    time.wDay = static_cast<WORD>(moment.day);
    time.wHour = static_cast<WORD>(moment.hour);
    time.wMinute = static_cast<WORD>(moment.minute);
    time.wSecond = static_cast<WORD>(moment.second);
    return time;
}

std::wstring Wide(const std::string& utf8) {
    const int chars = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(chars), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), chars);
    wide.pop_back();
    return wide;
}

// The same moment as Windows itself writes it with the user's short date and long time.
std::wstring WindowsText(const LocalDateTime& moment) {
    const SYSTEMTIME time = ToSystemTime(moment);
    wchar_t date[128];
    wchar_t clock[128];
    EXPECT_GT(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 128), 0);
    EXPECT_GT(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, 128), 0);
    return std::wstring(date) + L" " + clock;
}

TEST(RegionalFormatsWin32, ReadsTheUsersSettings) {
    const RegionalFormats formats = ReadUserRegionalFormats();
    EXPECT_FALSE(formats.shortDate.empty());
    EXPECT_FALSE(formats.longTime.empty());
    EXPECT_FALSE(formats.decimalSeparator.empty());
    EXPECT_FALSE(formats.thousandsSeparator.empty());
    EXPECT_NE(formats.decimalSeparator, formats.thousandsSeparator);
}

TEST(RegionalFormatsWin32, TextsMatchWindowsAndParseBack) {
    const RegionalFormats formats = ReadUserRegionalFormats();
    for (const LocalDateTime& moment :
         {LocalDateTime{2024, 3, 5, 14, 7, 9, 0}, LocalDateTime{2023, 12, 31, 0, 5, 59, 0},
          LocalDateTime{2025, 1, 9, 12, 30, 0, 0}, LocalDateTime{2024, 2, 29, 9, 0, 1, 0}}) {
        const std::string text = FormatLocalDateTime(moment, formats);
        EXPECT_EQ(Wide(text), WindowsText(moment)) << text;
        EXPECT_EQ(ParseLocalDateTime(text, formats), moment) << text;
    }
}

TEST(RegionalFormatsWin32, SystemClockGivesTheLocalTime) {
    SYSTEMTIME before;
    GetLocalTime(&before);
    LocalDateTime now = SystemClock().Now();
    EXPECT_EQ(now.year, before.wYear);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    now.millisecond = 0;
    const RegionalFormats formats = ReadUserRegionalFormats();
    const std::optional<LocalDateTime> parsed =
        ParseLocalDateTime(FormatLocalDateTime(now, formats), formats);
    EXPECT_EQ(parsed, now);
}

}  // namespace
}  // namespace orv
