#include "stats/save_dialog_win32.h"

#include <commdlg.h>

#include "base/win32/user_dialogs.h"
#include "stats/com_text_win32.h"

namespace orv {

void Win32SaveDialog::SetFilter(std::string_view filter) {
    filter_ = filter;
}

std::optional<std::string> Win32SaveDialog::Execute() {
    // An existing file is replaced only after the dialog's own question, as save dialogs do;
    // the dialog adds ".html" to a name typed without extension before it asks, so the
    // question is about the file that will be written.
    return RunFileDialog(
        FileDialog::Save, owner_, filter_, fileName_,
        OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_OVERWRITEPROMPT, L"html",
        &filterIndex_);
}

}  // namespace orv
