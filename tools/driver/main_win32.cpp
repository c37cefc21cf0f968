// orvdriver: drives the program's windows from scripts (the demo, screenshots) under Wine.
//   orvdriver wait  CLASS CAPTION TIMEOUT_MS        exit 0 once the window exists
//   orvdriver gone  CLASS CAPTION TIMEOUT_MS        exit 0 once it no longer exists
//   orvdriver rect  CLASS CAPTION                   print "WIDTHxHEIGHT+LEFT+TOP" of the window
//   orvdriver shot-rect CLASS CAPTION               the same for the part worth photographing
//                                                   under Xvfb: a captioned window's client
//                                                   area (no window manager draws its frame)
//   orvdriver post  CLASS CAPTION MESSAGE WPARAM [LPARAM]  post a message (decimal numbers)
//   orvdriver click CLASS CAPTION CONTROL_ID        press a page's button (e.g. BitBtn1)
//   orvdriver press CLASS CAPTION CONTROL_ID        the same, returning at once (for a button
//                                                   that opens a modal dialog)
//   orvdriver tab   CLASS CAPTION INDEX             select a page of the window's tab control as
//                                                   the keyboard would (for pages without a
//                                                   page code)
//   orvdriver save-as PATH TIMEOUT_MS [KIND]        type PATH into the file dialog that opens
//                                                   and choose Save; KIND (from 1) picks an
//                                                   entry of its "Save as type" list first
// CAPTION "-" matches any caption. Exit code 1 when the window is not there, 2 on bad usage.
#include <windows.h>

#include <commctrl.h>

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

// Presses the button as a click would, and waits until the program has handled it.
bool Click(HWND window, std::string_view controlId) {
    HWND button = orv::FindPageControl(window, controlId);
    return button != nullptr &&
           SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 10000, nullptr);
}

// The file name field of an Explorer-style file dialog: the edit of its combo box (cmb13),
// or the plain edit field (edt1) of older ones.
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;
constexpr int kFileTypeCombo = 0x470;

bool SaveAs(const wchar_t* path, long timeoutMs, long kind) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    HWND dialog = nullptr;
    HWND field = nullptr;
    while (field == nullptr) {
        dialog = FindWindowW(L"#32770", nullptr);
        if (dialog && IsWindowVisible(dialog)) {
            field = GetDlgItem(dialog, kFileNameCombo);
            field = field ? field : GetDlgItem(dialog, kFileNameEdit);
        }
        if (field == nullptr) {
            if (GetTickCount64() >= deadline) {
                return false;
            }
            Sleep(50);
        }
    }
    Sleep(300);  // the dialog fills its field once it has listed the folder
    if (HWND types = GetDlgItem(dialog, kFileTypeCombo); types && kind > 0) {
        // As a choice in the list: the selection, then the notices the dialog acts on.
        SendMessageW(types, CB_SETCURSEL, static_cast<WPARAM>(kind - 1), 0);
        for (const WORD notice : {CBN_SELCHANGE, CBN_SELENDOK}) {
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeCombo, notice),
                         reinterpret_cast<LPARAM>(types));
        }
        Sleep(200);
    }
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path));
    return PostMessageW(dialog, WM_COMMAND, IDOK, 0) != FALSE;
}

long Number(const wchar_t* text) {
    return std::wcstol(text, nullptr, 10);
}

int Usage() {
    std::fputs(
        "usage: orvdriver wait|gone CLASS CAPTION TIMEOUT_MS | rect CLASS CAPTION | "
        "post CLASS CAPTION MESSAGE WPARAM [LPARAM] | click|press CLASS CAPTION CONTROL_ID | "
        "tab CLASS CAPTION INDEX | "
        "save-as PATH TIMEOUT_MS [KIND]\n",
        stderr);
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if ((argc == 4 || argc == 5) && std::wstring_view(argv[1]) == L"save-as") {
        return SaveAs(argv[2], Number(argv[3]), argc == 5 ? Number(argv[4]) : 0) ? 0 : 1;
    }
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
    if ((command == L"rect" || command == L"shot-rect") && argc == 4) {
        RECT rect;
        if (!window || !GetWindowRect(window, &rect)) {
            return 1;
        }
        if (command == L"shot-rect" &&
            (GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) {
            GetClientRect(window, &rect);
            MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        }
        std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left,
                    rect.top);
        return 0;
    }
    if (command == L"post" && (argc == 6 || argc == 7)) {
        const auto message = static_cast<UINT>(Number(argv[4]));
        const auto wParam = static_cast<WPARAM>(Number(argv[5]));
        const auto lParam = static_cast<LPARAM>(argc == 7 ? Number(argv[6]) : 0);
        return window && PostMessageW(window, message, wParam, lParam) ? 0 : 1;
    }
    if (command == L"click" && argc == 5) {
        return Click(window, orv::Narrow(argv[4])) ? 0 : 1;
    }
    if (command == L"tab" && argc == 5) {
        // Moving the focus of a tab control without buttons selects the tab and tells the
        // parent, as the arrow keys do.
        HWND tabs = window ? FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr) : nullptr;
        return tabs && SendMessageTimeoutW(tabs, TCM_SETCURFOCUS, Number(argv[4]), 0,
                                           SMTO_ABORTIFHUNG, 10000, nullptr)
                   ? 0
                   : 1;
    }
    if (command == L"press" && argc == 5) {
        HWND button = orv::FindPageControl(window, orv::Narrow(argv[4]));
        return button && PostMessageW(button, BM_CLICK, 0, 0) ? 0 : 1;
    }
    return Usage();
}
