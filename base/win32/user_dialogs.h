#pragma once
// Message boxes and the common file and colour dialogs, owned by the main window.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/dialog_ports.h"

namespace orv {

enum class FileDialog { Open, Save };

// The common open or save dialog with a "name|pattern" filter (none when empty), starting at
// `initialName`, with the dialog's OFN_ flags (<commdlg.h>) besides OFN_EXPLORER; the chosen path, or nothing
// when the user cancels. A default extension (without its dot) is added by the dialog to a
// name typed without one, before it asks about replacing a file (the chosen filter's own
// extension where it names one). `filterIndex`, when given, is the filter entry (from 1) to
// start with and receives the one chosen.
std::optional<std::string> RunFileDialog(FileDialog kind, HWND owner, std::string_view filter,
                                         std::string_view initialName, DWORD flags,
                                         const wchar_t* defaultExtension = nullptr,
                                         DWORD* filterIndex = nullptr);

class Win32UserDialogs : public MessageBoxes, public CommonDialogs {
  public:
    // The owner is looked up at each use: the main window may not exist yet when this is made.
    explicit Win32UserDialogs(std::function<HWND()> owner) : owner_(std::move(owner)) {}

    void ShowError(std::string_view title, std::string_view text) override;
    void ShowPlain(std::string_view title, std::string_view text) override;
    std::optional<std::string> ChooseFileToOpen(std::string_view filter) override;
    std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) override;

  private:
    std::function<HWND()> owner_;
};

}  // namespace orv
