#pragma once
// Texts in the remote-access records: the records hold ANSI code-page texts in fixed members,
// the program holds UTF-8. Header-only, so that the emulated service shares it.

#include <cstring>
#include <string>
#include <string_view>

#include "base/win32/code_page_text.h"

namespace orv::ras {

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
