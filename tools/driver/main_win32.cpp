// orvdriver: drives the program's windows from scripts (the demo, screenshots) under Wine.
//   orvdriver wait  CLASS CAPTION TIMEOUT_MS        exit 0 once the window exists
//   orvdriver gone  CLASS CAPTION TIMEOUT_MS        exit 0 once it no longer exists
//   orvdriver rect  CLASS CAPTION                   print "WIDTHxHEIGHT+LEFT+TOP" of the window
//   orvdriver post  CLASS CAPTION MESSAGE WPARAM    post a message (decimal numbers)
//   orvdriver click CLASS CAPTION CONTROL_ID        click the button of that command id among
//                                                   the window's descendants, as a user does
// CAPTION "-" matches any caption. Exit code 1 when the window is not there, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string_view>

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

struct Search {
    int id;
    HWND found;
};

BOOL CALLBACK MatchId(HWND child, LPARAM data) {
    auto* wanted = reinterpret_cast<Search*>(data);
    if (GetDlgCtrlID(child) == wanted->id) {
        wanted->found = child;
        return FALSE;
    }
    return TRUE;
}

// The descendant of `parent` with this command id, or null.
HWND Descendant(HWND parent, int id) {
    Search search{id, nullptr};
    EnumChildWindows(parent, MatchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
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
        HWND button = window ? Descendant(window, static_cast<int>(Number(argv[4]))) : nullptr;
        if (!button) {
            return 1;
        }
        SendMessageW(button, BM_CLICK, 0, 0);
        return 0;
    }
    return Usage();
}
