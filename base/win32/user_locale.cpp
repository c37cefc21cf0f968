#include "base/win32/user_locale.h"

#include <windows.h>

namespace orv {
namespace {

std::string ToUtf8(const wchar_t* text) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), bytes, nullptr, nullptr);
    utf8.pop_back();  // the terminating zero
    return utf8;
}

void ReadLocaleText(LCTYPE item, std::string& value) {
    wchar_t buffer[128];  // LOCALE_SSHORTDATE, the longest of these, has at most 80
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, item, buffer, ARRAYSIZE(buffer)) > 0) {
        value = ToUtf8(buffer);
    }
}

}  // namespace

RegionalFormats ReadUserRegionalFormats() {
    RegionalFormats formats;
    ReadLocaleText(LOCALE_SSHORTDATE, formats.shortDate);
    ReadLocaleText(LOCALE_STIMEFORMAT, formats.longTime);
    ReadLocaleText(LOCALE_S1159, formats.amDesignator);
    ReadLocaleText(LOCALE_S2359, formats.pmDesignator);
    ReadLocaleText(LOCALE_SDECIMAL, formats.decimalSeparator);
    ReadLocaleText(LOCALE_STHOUSAND, formats.thousandsSeparator);
    return formats;
}

LocalDateTime SystemClock::Now() const {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear,   now.wMonth,  now.wDay,         now.wHour,
            now.wMinute, now.wSecond, now.wMilliseconds};
}

}  // namespace orv
