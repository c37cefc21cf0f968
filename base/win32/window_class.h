#pragma once
// The plumbing every window class of the program shares: registering a class of the program's
// own controls once per process, and binding a window to the object that created it.

#include <windows.h>

namespace orv {

// Registers a child-control class of this process once; returns its name, or null when the
// platform refused the class.
inline const wchar_t* RegisterControlClass(const wchar_t* name, WNDPROC procedure,
                                           const wchar_t* cursor) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, cursor);
    windowClass.lpszClassName = name;
    const bool registered =
        RegisterClassW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered ? name : nullptr;
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
