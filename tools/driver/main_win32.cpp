// orvdriver: drives the program's windows from scripts (the demo, screenshots) under Wine.
//   orvdriver wait  CLASS CAPTION TIMEOUT_MS        exit 0 once the window exists
//   orvdriver gone  CLASS CAPTION TIMEOUT_MS        exit 0 once it no longer exists
//   orvdriver rect  CLASS CAPTION                   print "WIDTHxHEIGHT+LEFT+TOP" of the window
//   orvdriver post  CLASS CAPTION MESSAGE WPARAM    post a message (decimal numbers)
//   orvdriver click CLASS CAPTION CONTROL_ID        press a page's button (e.g. BitBtn1)
// CAPTION "-" matches any caption. Exit code 1 when the window is not there, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <string_view>

#include "app/page_controls_win32.h"
#include "base/win32/wide_text.h"

namespace {

HWND Find(const wchar_t* windowClass, const wchar_t* caption) {
    return FindWindowW(windowClass, std::wstring_view(caption) == L"-" ? nullptr : caption);
}

bool WaitFor(const wchar_t* windowClass, const wchar_t* caption, bool present, long timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    while ((Find(windowClass, caption) != nullptr) != present) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(50);
    }
    return true;
}

struct ControlSearch {
    int commandId;
    HWND found;
};

BOOL CALLBACK MatchCommandId(HWND child, LPARAM parameter) {
    auto& search = *reinterpret_cast<ControlSearch*>(parameter);
    if (GetDlgCtrlID(child) == search.commandId) {
        search.found = child;
        return FALSE;
    }
    return TRUE;
}

// Presses the button as a click would, and waits until the program has handled it.
bool Click(HWND window, std::string_view controlId) {
    ControlSearch search{orv::CommandIdOf(controlId), nullptr};
    if (window == nullptr || search.commandId == 0) {
        return false;
    }
    EnumChildWindows(window, MatchCommandId, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr &&
           SendMessageTimeoutW(search.found, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 10000, nullptr);
}

long Number(const wchar_t* text) {
    return std::wcstol(text, nullptr, 10);
}

int Usage() {
    std::fputs(
        "usage: orvdriver wait|gone CLASS CAPTION TIMEOUT_MS | rect CLASS CAPTION | "
        "post CLASS CAPTION MESSAGE WPARAM | click CLASS CAPTION CONTROL_ID\n",
        stderr);
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        return Usage();
    }
    const std::wstring_view command = argv[1];
    const wchar_t* windowClass = argv[2];
    const wchar_t* caption = argv[3];
    if ((command == L"wait" || command == L"gone") && argc == 5) {
        return WaitFor(windowClass, caption, command == L"wait", Number(argv[4])) ? 0 : 1;
    }
    HWND window = Find(windowClass, caption);
    if (command == L"rect" && argc == 4) {
        RECT rect;
        if (!window || !GetWindowRect(window, &rect)) {
            return 1;
        }
        std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left,
                    rect.top);
        return 0;
    }
    if (command == L"post" && argc == 6) {
        const auto message = static_cast<UINT>(Number(argv[4]));
        const auto wParam = static_cast<WPARAM>(Number(argv[5]));
        return window && PostMessageW(window, message, wParam, 0) ? 0 : 1;
    }
    if (command == L"click" && argc == 5) {
        return Click(window, orv::Narrow(argv[4])) ? 0 : 1;
    }
    return Usage();
}
