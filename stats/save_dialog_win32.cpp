#include "stats/save_dialog_win32.h"

#include <commdlg.h>

#include <vector>

#include "base/win32/user_dialogs.h"
#include "stats/com_text_win32.h"

namespace orv {

void Win32SaveDialog::SetFilter(std::string_view filter) {
    filter_ = FileDialogFilter(filter);
}

std::optional<std::string> Win32SaveDialog::Execute() {
    std::vector<wchar_t> name(MAX_PATH * 4, L'\0');
    const std::wstring current = Widen(fileName_);
    current.copy(name.data(), name.size() - 1);
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filter_.empty() ? nullptr : filter_.c_str();
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    // No overwrite question: an existing report is replaced.
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!GetSaveFileNameW(&dialog)) {
        return std::nullopt;
    }
    return Narrow(name.data());
}

}  // namespace orv
