#include "app/digit_only_field_win32.h"

#include <commctrl.h>

#include "app/settings_reactions.h"

namespace orv {
namespace {

constexpr UINT_PTR kSubclassId = 0x4F52;  // any id unique to this filter

LRESULT CALLBACK FilterKeys(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) {
    if (message == WM_CHAR && !IsThresholdKey(static_cast<char32_t>(wParam))) {
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
