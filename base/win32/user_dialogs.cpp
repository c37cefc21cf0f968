#include "base/win32/user_dialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <array>

#include "base/win32/stored_colour.h"
#include "base/win32/wide_text.h"

namespace orv {

void Win32UserDialogs::ShowError(std::string_view title, std::string_view text) {
    MessageBoxW(owner_(), Widen(text).c_str(), Widen(title).c_str(), MB_OK | MB_ICONERROR);
}

void Win32UserDialogs::ShowPlain(std::string_view title, std::string_view text) {
    MessageBoxW(nullptr, Widen(text).c_str(), Widen(title).c_str(), MB_OK);
}

std::wstring FileDialogFilter(std::string_view filter) {
    std::wstring list = Widen(filter);
    std::replace(list.begin(), list.end(), L'|', L'\0');
    list.append(2, L'\0');
    return list;
}

std::optional<std::string> Win32UserDialogs::ChooseFileToOpen(std::string_view filter) {
    const std::wstring filters = FileDialogFilter(filter);
    std::array<wchar_t, 32768> path{};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner_();
    dialog.lpstrFilter = filters.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&dialog)) {
        return std::nullopt;
    }
    return Narrow(path.data());
}

std::optional<std::uint32_t> Win32UserDialogs::ChooseColour(std::uint32_t initial) {
    static std::array<COLORREF, 16> customColours{};
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner_();
    dialog.rgbResult = ToColorRef(initial);
    dialog.lpCustColors = customColours.data();
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&dialog)) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(dialog.rgbResult & 0x00FFFFFFu);
}

}  // namespace orv
