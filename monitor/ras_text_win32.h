#pragma once
// Texts in the remote-access records: the records hold ANSI code-page texts in fixed members,
// the program holds UTF-8. Header-only, so that the emulated service shares it.

#include <windows.h>

#include <cstring>
#include <string>
#include <string_view>

namespace orv::ras {

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

// The text of a member, which may lack its terminating zero.
template <std::size_t N>
std::string MemberText(const char (&member)[N]) {
    return AnsiToUtf8(std::string_view(member, strnlen(member, N)));
}

// Puts a text into a member; false, and the member left empty, when it does not fit.
template <std::size_t N>
bool PutIntoMember(std::string_view utf8, char (&member)[N]) {
    const std::string ansi = Utf8ToAnsi(utf8);
    member[0] = '\0';
    if (ansi.size() >= N) {
        return false;
    }
    std::memcpy(member, ansi.c_str(), ansi.size() + 1);
    return true;
}

// Puts as much of a text into a member as fits.
template <std::size_t N>
void CutIntoMember(std::string_view utf8, char (&member)[N]) {
    const std::string ansi = Utf8ToAnsi(utf8);
    const std::size_t length = ansi.size() < N ? ansi.size() : N - 1;
    std::memcpy(member, ansi.data(), length);
    member[length] = '\0';
}

}  // namespace orv::ras
