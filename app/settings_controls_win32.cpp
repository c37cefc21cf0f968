#include "app/settings_controls_win32.h"

#include <commctrl.h>

#include "app/colour_swatch_win32.h"
#include "app/page_controls_win32.h"
#include "base/win32/wide_text.h"

namespace orv {
namespace {

bool IsPictureList(HWND control) {
    wchar_t className[32] = {};
    GetClassNameW(control, className, 32);
    return lstrcmpiW(className, WC_COMBOBOXEXW) == 0;
}

// A list with pictures holds the text of its chosen entry. With none chosen (a stored value no
// entry matches) the value is kept, unshown, as the window's own caption, so that saving
// writes back what was read.
std::string PictureListText(HWND list) {
    const LRESULT chosen = SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (chosen >= 0) {
        return PictureListEntryText(list, chosen);
    }
    wchar_t kept[MAX_PATH] = {};
    InternalGetWindowText(list, kept, MAX_PATH);
    return Narrow(kept);
}

void SetPictureListText(HWND list, std::string_view text) {
    const std::wstring wide = Widen(text);
    const auto count = static_cast<LRESULT>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    for (LRESULT index = 0; index < count; ++index) {
        if (lstrcmpiW(Widen(PictureListEntryText(list, index)).c_str(), wide.c_str()) == 0) {
            SendMessageW(list, CB_SETCURSEL, index, 0);
            return;
        }
    }
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    DefWindowProcW(list, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

}  // namespace

bool Win32SettingsControls::Checked(std::string_view id) const {
    return SendMessageW(find_(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32SettingsControls::SetChecked(std::string_view id, bool on) {
    SendMessageW(find_(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string Win32SettingsControls::Text(std::string_view id) const {
    HWND control = find_(id);
    return IsPictureList(control) ? PictureListText(control) : WindowText(control);
}

void Win32SettingsControls::SetText(std::string_view id, std::string_view text) {
    HWND control = find_(id);
    if (IsPictureList(control)) {
        SetPictureListText(control, text);
    } else {
        SetWindowTextUtf8(control, text);
    }
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
