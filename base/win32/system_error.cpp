#include "base/win32/system_error.h"

#include <utility>

#include "base/win32/resources.h"
#include "base/win32/wide_text.h"

namespace orv {

std::optional<std::string> SystemMessage(DWORD code) {
    LocalText buffer;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(buffer.Receive()), 0, nullptr);
    std::string text;
    if (length != 0) {
        text = Narrow(std::wstring_view(buffer.Get(), length));
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    if (text.empty()) {
        return std::nullopt;
    }
    return text;
}

std::string SystemErrorText(DWORD code) {
    if (auto text = SystemMessage(code)) {
        return std::move(*text);
    }
    char number[32];
    wsprintfA(number, "error 0x%08lX", code);
    return number;
}

}  // namespace orv
