#include "base/win32/user_dialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <array>
#include <vector>

#include "base/win32/modal_turn.h"
#include "base/win32/stored_colour.h"
#include "base/win32/wide_text.h"

namespace orv {
namespace {

// A "name|pattern|name|pattern" filter as the file dialogs take it: zero-separated, ending in
// two zeros.
std::wstring FileDialogFilter(std::string_view filter) {
    std::wstring list = Widen(filter);
    std::replace(list.begin(), list.end(), L'|', L'\0');
    list.append(2, L'\0');
    return list;
}

}  // namespace

void Win32UserDialogs::ShowError(std::string_view title, std::string_view text) {
    const HWND owner = owner_();
    const ModalTurn turn(owner);
    if (!turn.Taken()) {
        return;
    }
    MessageBoxW(owner, Widen(text).c_str(), Widen(title).c_str(), MB_OK | MB_ICONERROR);
}

void Win32UserDialogs::ShowPlain(std::string_view title, std::string_view text) {
    const ModalTurn turn(nullptr);
    if (!turn.Taken()) {
        return;
    }
    MessageBoxW(nullptr, Widen(text).c_str(), Widen(title).c_str(), MB_OK);
}

std::optional<std::string> RunFileDialog(FileDialog kind, HWND owner, std::string_view filter,
                                         std::string_view initialName, DWORD flags,
                                         const wchar_t* defaultExtension, DWORD* filterIndex) {
    const std::wstring filters = FileDialogFilter(filter);
    std::vector<wchar_t> path(32768, L'\0');
    Widen(initialName).copy(path.data(), path.size() - 1);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.empty() ? nullptr : filters.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.Flags = OFN_EXPLORER | flags;
    const ModalTurn turn(owner);
    if (!turn.Taken()) {
        return std::nullopt;
    }
    dialog.lpstrDefExt = defaultExtension;
    dialog.nFilterIndex = filterIndex ? *filterIndex : 0;
    const BOOL chosen =
        kind == FileDialog::Open ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
    if (!chosen) {
        return std::nullopt;
    }
    if (filterIndex) {
        *filterIndex = dialog.nFilterIndex;
    }
    return Narrow(path.data());
}

std::optional<std::string> Win32UserDialogs::ChooseFileToOpen(std::string_view filter) {
    return RunFileDialog(FileDialog::Open, owner_(), filter, {},
                         OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY);
}

std::optional<std::uint32_t> Win32UserDialogs::ChooseColour(std::uint32_t initial) {
    static std::array<COLORREF, 16> customColours{};
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner_();
    dialog.rgbResult = ToColorRef(initial);
    dialog.lpCustColors = customColours.data();
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    const ModalTurn turn(dialog.hwndOwner);
    if (!turn.Taken()) {
        return std::nullopt;
    }
    if (!ChooseColorW(&dialog)) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(dialog.rgbResult & 0x00FFFFFFu);
}

}  // namespace orv
