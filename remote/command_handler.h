#pragma once
// What the monitor does for each remote command code. The floating window hands every code it
// receives here; the actions are the program's, wired where the program is put together.

#include <cstdint>
#include <functional>

namespace orv {

// One hook per action; a hook that is not set does nothing.
struct RemoteCommandActions {
    std::function<void()> quit;                // 0: close the floating window (exit sequence)
    std::function<void()> hideFloatingWindow;  // 1: the option stays as it is
    std::function<void()> showFloatingWindow;  // 2
    std::function<void(int code)> showPage;    // 3..10: the page switch of the pop-up menu
    std::function<void()> closeMainWindow;     // 11: it hides; the monitor keeps running
    std::function<void()> writeJournal;        // 12, first: the running session's note
    std::function<void()> saveSettings;        // 12
    std::function<void()> saveLaunchList;      // 12, second
    std::function<void()> shutDown;            // 12, after both saves
    std::function<void()> dial;                // 13: the Dial button's action
    std::function<void()> hangUp;              // 14: the HangUp button's action
    std::function<void()> nextControl;         // 15: a Tab key queued, never handled inline
};

// Performs the action of `code`; false when the code is above 15 and nothing was done.
bool HandleRemoteCommand(std::uint32_t code, const RemoteCommandActions& actions);

}  // namespace orv
