#include "stats/save_dialog_win32.h"

#include <commdlg.h>

#include "base/win32/user_dialogs.h"
#include "stats/com_text_win32.h"

namespace orv {

void Win32SaveDialog::SetFilter(std::string_view filter) {
    filter_ = filter;
}

std::optional<std::string> Win32SaveDialog::Execute() {
    // No overwrite question: an existing report is replaced.
    return RunFileDialog(FileDialog::Save, owner_, filter_, fileName_,
                         OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR);
}

}  // namespace orv
