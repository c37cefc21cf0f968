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

}  // namespace orv
