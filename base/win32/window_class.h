#pragma once
// The plumbing every window class of the program shares: registering a class once per
// process, and binding a window to the object that created it.

#include <windows.h>

namespace orv {

struct WindowClass {
    const wchar_t* name = nullptr;
    WNDPROC procedure = nullptr;
    UINT style = 0;
    const wchar_t* cursor = IDC_ARROW;  // a system cursor, or null for none
    HBRUSH background = nullptr;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
};

// Registers a window class of this process once (a second registration is no failure);
// returns its name, or null when the platform refused the class.
inline const wchar_t* RegisterWindowClass(const WindowClass& wanted) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = wanted.style;
    windowClass.lpfnWndProc = wanted.procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = wanted.cursor ? LoadCursorW(nullptr, wanted.cursor) : nullptr;
    windowClass.hbrBackground = wanted.background;
    windowClass.hIcon = wanted.icon;
    windowClass.hIconSm = wanted.smallIcon;
    windowClass.lpszClassName = wanted.name;
    const bool registered =
        RegisterClassExW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered ? wanted.name : nullptr;
}

// The object handed to CreateWindowEx as its creation parameter: kept in the window's user data
// from WM_NCCREATE on; null for the few messages that come before.
template <typename Owner>
Owner* WindowOwner(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    return reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace orv
