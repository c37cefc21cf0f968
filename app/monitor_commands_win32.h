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
    std::function<void()> writeJournal;
    // Where a refused shut-down request is told: the monitor keeps running after code 12.
    std::function<void(std::string_view)> status;
    // Whether the system took the shut-down request.
    std::function<void(bool taken)> shutDownTaken;
};

// Codes 11 to 14: the main window's close, save-and-shut-down (the journal, SaveSettings,
// SaveLaunchList, ShutDownComputer through the shut-down port), Dial and HangUp.
RemoteCommandActions MonitorCommandActions(const MonitorCommandServices& services);

}  // namespace orv
