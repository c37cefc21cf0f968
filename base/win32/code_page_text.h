#pragma once
// UTF-8 inside the program, the ANSI code page where the platform or a file wants it (the
// remote-access records, reports, language files). Header-only, so that the emulated
// remote-access service shares it.

#include <windows.h>

#include <string>
#include <string_view>

namespace orv {

inline std::string Recode(std::string_view text, UINT from, UINT to) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(from, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(from, 0, text.data(), length, wide.data(), wideLength);
    const int outLength =
        WideCharToMultiByte(to, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(outLength), '\0');
    WideCharToMultiByte(to, 0, wide.data(), wideLength, out.data(), outLength, nullptr, nullptr);
    return out;
}

inline std::string AnsiToUtf8(std::string_view ansi) {
    return Recode(ansi, CP_ACP, CP_UTF8);
}
inline std::string Utf8ToAnsi(std::string_view utf8) {
    return Recode(utf8, CP_UTF8, CP_ACP);
}

}  // namespace orv
