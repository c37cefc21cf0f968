#include "app/monitor_display_win32.h"

#include "app/monitor_settings.h"
#include "base/win32/wide_text.h"

namespace orv {

void Win32MonitorDisplay::SetField(DisplayField field, std::string_view text) {
    // The tick writes every field every second; most of them stay as they are.
    SetWindowTextIfChanged(window_.Control(DisplayFieldControl(field)), text);
}

std::string Win32MonitorDisplay::Field(DisplayField field) const {
    return WindowText(window_.Control(DisplayFieldControl(field)));
}

void Win32MonitorDisplay::SetStatusText(std::string_view text) {
    window_.SetStatusText(text);
}

void Win32MonitorDisplay::ShowStateIcon(bool connected) {
    window_.ShowStateIcon(connected);
}

DisplayFlags Win32MonitorDisplay::ReadDisplayFlags() const {
    return DisplayFlagsOf(settings_);
}

}  // namespace orv
