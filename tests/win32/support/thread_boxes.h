#pragma once
// The dialog boxes this thread shows: a test inside a box's own message loop finds them so.

#include <windows.h>

#include <vector>

namespace orv::testing {

// The visible dialog-class windows of this thread, in the order the system lists them.
inline std::vector<HWND> ThreadBoxes() {
    std::vector<HWND> boxes;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM out) -> BOOL {
            wchar_t name[8] = {};
            GetClassNameW(window, name, 8);
            if (IsWindowVisible(window) && lstrcmpW(name, L"#32770") == 0) {
                reinterpret_cast<std::vector<HWND>*>(out)->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&boxes));
    return boxes;
}

// The box this thread shows, or none.
inline HWND OpenBox() {
    const std::vector<HWND> boxes = ThreadBoxes();
    return boxes.empty() ? nullptr : boxes.front();
}

}  // namespace orv::testing
