#pragma once
// Message boxes and common dialogs behind small interfaces, so that tests never block on a
// modal box.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // An input error over the main window, with the error icon and an OK button.
    virtual void ShowError(std::string_view title, std::string_view text) = 0;
    // A box without owner window, icon or buttons other than OK.
    virtual void ShowPlain(std::string_view title, std::string_view text) = 0;
};

// Tells the user something that needs no answer and must hold nothing up (the start, a
// timer): the main window's status bar and a tray balloon.
class Notices {
  public:
    virtual ~Notices() = default;
    virtual void Notify(std::string_view text) = 0;
};

class CommonDialogs {
  public:
    virtual ~CommonDialogs() = default;
    // The full path of the chosen file, or nothing when the user cancels.
    virtual std::optional<std::string> ChooseFileToOpen(std::string_view filter) = 0;
    // The chosen colour (0x00BBGGRR), or nothing when the user cancels.
    virtual std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) = 0;
};

}  // namespace orv
