#pragma once
// Message boxes and the common file and colour dialogs, owned by the main window.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "base/dialog_ports.h"

namespace orv {

// A "name|pattern|name|pattern" filter as the file dialogs take it: zero-separated, ending in
// two zeros.
std::wstring FileDialogFilter(std::string_view filter);

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
