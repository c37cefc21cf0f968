#include "app/settings_controls_win32.h"

#include <commctrl.h>

#include "app/colour_swatch_win32.h"
#include "base/win32/wide_text.h"

namespace orv {
namespace {

// The window that holds a control's text: the edit part of a list with pictures, else itself.
HWND TextWindow(HWND control) {
    wchar_t className[32] = {};
    GetClassNameW(control, className, 32);
    if (lstrcmpiW(className, WC_COMBOBOXEXW) == 0) {
        if (HWND edit = reinterpret_cast<HWND>(SendMessageW(control, CBEM_GETEDITCONTROL, 0, 0))) {
            return edit;
        }
    }
    return control;
}

}  // namespace

bool Win32SettingsControls::Checked(std::string_view id) const {
    return SendMessageW(find_(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32SettingsControls::SetChecked(std::string_view id, bool on) {
    SendMessageW(find_(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string Win32SettingsControls::Text(std::string_view id) const {
    return WindowText(TextWindow(find_(id)));
}

void Win32SettingsControls::SetText(std::string_view id, std::string_view text) {
    SetWindowTextUtf8(TextWindow(find_(id)), text);
}

std::uint32_t Win32SettingsControls::Colour(std::string_view id) const {
    return SwatchColour(find_(id));
}

void Win32SettingsControls::SetColour(std::string_view id, std::uint32_t colour) {
    SetSwatchColour(find_(id), colour);
}

int Win32SettingsControls::Position(std::string_view id) const {
    return static_cast<int>(SendMessageW(find_(id), TBM_GETPOS, 0, 0));
}

void Win32SettingsControls::SetPosition(std::string_view id, int position) {
    SendMessageW(find_(id), TBM_SETPOS, TRUE, position);
}

}  // namespace orv
