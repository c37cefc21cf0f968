#pragma once
// The remote commands' actions that belong to the main window, the settings and the other
// subsystems, as the program hands them to the floating window.

#include <functional>

#include "app/main_window_win32.h"
#include "app/settings_controls.h"
#include "app/settings_store.h"
#include "app/shutdown.h"
#include "base/dialog_ports.h"
#include "remote/command_handler.h"

namespace orv {

struct MonitorCommandServices {
    MainWindow& main;
    const SettingsControls& controls;
    SettingsStore& store;
    ShutdownPort& shutdown;
    MessageBoxes& boxes;
    std::function<void()> saveLaunchList;
    std::function<void()> dial;    // Button3Click
    std::function<void()> hangUp;  // Button2Click
    ShutdownNotice* shutdownNotice = nullptr;  // the countdown before the shut-down
};

// Codes 11 to 14: the main window's close, save-and-shut-down (SaveSettings, SaveLaunchList,
// ShutDownComputer through the shut-down port), Dial and HangUp.
RemoteCommandActions MonitorCommandActions(const MonitorCommandServices& services);

}  // namespace orv
