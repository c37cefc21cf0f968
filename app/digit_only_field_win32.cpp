#include "app/digit_only_field_win32.h"

#include <commctrl.h>

#include <optional>
#include <string>

#include "app/settings_reactions.h"
#include "base/win32/wide_text.h"

namespace orv {
namespace {

constexpr UINT_PTR kSubclassId = 0x4F52;  // any id unique to this filter

// The clipboard's text, nothing when it holds none or cannot be opened.
std::optional<std::string> ClipboardText(HWND owner) {
    if (!OpenClipboard(owner)) {
        return std::nullopt;
    }
    std::optional<std::string> text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = Narrow(wide);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// Typed keys and pasted text alike: a paste with anything but digits is refused whole.
LRESULT CALLBACK FilterKeys(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) {
    const bool refused =
        (message == WM_CHAR && !IsThresholdKey(static_cast<char32_t>(wParam))) ||
        (message == WM_PASTE && !IsThresholdText(ClipboardText(field).value_or(std::string())));
    if (refused) {
        MessageBeep(MB_OK);
        return 0;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

}  // namespace

void AcceptDigitsOnly(HWND field) {
    COMBOBOXINFO combo{};
    combo.cbSize = sizeof(combo);
    if (GetComboBoxInfo(field, &combo) && combo.hwndItem) {
        field = combo.hwndItem;
    }
    SetWindowSubclass(field, FilterKeys, kSubclassId, 0);
}

}  // namespace orv
