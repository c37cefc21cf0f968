#include "stats/com_text_win32.h"

namespace orv {

void AppendUtf8(std::wstring_view wide, std::string& out) {
    if (wide.empty()) {
        return;
    }
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(length));
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data() + start, length, nullptr,
                        nullptr);
}

std::string SystemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text;
    if (length != 0) {
        text = Narrow(std::wstring_view(buffer, length));
        LocalFree(buffer);
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    if (text.empty()) {
        char number[32];
        wsprintfA(number, "error 0x%08lX", code);
        text = number;
    }
    return text;
}

Bstr ToBstr(std::string_view utf8) {
    const std::wstring wide = Widen(utf8);
    return Bstr(SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size())));
}

}  // namespace orv
