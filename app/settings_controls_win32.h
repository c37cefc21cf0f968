#pragma once
// The settings controls of the main window's pages, found by their identifiers.

#include <windows.h>

#include <functional>

#include "app/settings_controls.h"

namespace orv {

class Win32SettingsControls : public SettingsControls {
  public:
    using Lookup = std::function<HWND(std::string_view id)>;
    explicit Win32SettingsControls(Lookup find) : find_(std::move(find)) {}

    bool Checked(std::string_view id) const override;
    void SetChecked(std::string_view id, bool on) override;
    std::string Text(std::string_view id) const override;
    void SetText(std::string_view id, std::string_view text) override;
    std::uint32_t Colour(std::string_view id) const override;
    void SetColour(std::string_view id, std::uint32_t colour) override;
    int Position(std::string_view id) const override;
    void SetPosition(std::string_view id, int position) override;

  private:
    Lookup find_;
};

}  // namespace orv
