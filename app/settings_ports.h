#pragma once
// What the settings reactions do to the world, behind small interfaces so that tests never
// block on a modal box or touch the machine.

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

class CommonDialogs {
  public:
    virtual ~CommonDialogs() = default;
    // The full path of the chosen file, or nothing when the user cancels.
    virtual std::optional<std::string> ChooseFileToOpen(std::string_view filter) = 0;
    // The chosen colour (0x00BBGGRR), or nothing when the user cancels.
    virtual std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) = 0;
};

// The floating window as the settings page drives it.
class FloatingWindowControl {
  public:
    virtual ~FloatingWindowControl() = default;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void SetStayOnTop(bool on) = 0;
    // 255 is fully opaque (per-window alpha off); lower values are translucent.
    virtual void SetAlpha(int alpha) = 0;
    // Repaints the frame after its colour changed.
    virtual void RedrawFrame() = 0;
};

// The "start with Windows" entry.
class AutorunEntry {
  public:
    virtual ~AutorunEntry() = default;
    // Writes or removes the entry; false when the platform refused.
    virtual bool SetEnabled(bool on) = 0;
};

}  // namespace orv
