#pragma once
// The monitor tick's view of the main window: the labels of pages 0 and 1, the status bar's
// text panel, the state icon, and the display options of the settings page.

#include "app/main_window_win32.h"
#include "app/settings_controls.h"
#include "monitor/monitor_ports.h"

namespace orv {

class Win32MonitorDisplay final : public MonitorDisplay {
  public:
    Win32MonitorDisplay(MainWindow& window, const SettingsControls& settings)
        : window_(window), settings_(settings) {}

    void SetField(DisplayField field, std::string_view text) override;
    std::string Field(DisplayField field) const override;
    void SetStatusText(std::string_view text) override;
    std::string StatusText() const override { return window_.StatusText(); }
    void ShowStateIcon(bool connected) override;
    DisplayFlags ReadDisplayFlags() const override;

  private:
    MainWindow& window_;
    const SettingsControls& settings_;
};

}  // namespace orv
