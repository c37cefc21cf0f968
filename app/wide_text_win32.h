#pragma once
// UTF-8 inside the program, UTF-16 at the wide Win32 API.

#include <string>
#include <string_view>

namespace orv {

std::wstring WidenUtf8(std::string_view text);
std::string NarrowToUtf8(std::wstring_view text);

}  // namespace orv
