#include "remote/command_handler.h"

#include <algorithm>
#include <array>

#include "remote/remote_command.h"

namespace orv {
namespace {

using Hook = std::function<void()> RemoteCommandActions::*;

// The actions of each code that is not a page, in the order they run; empty places are null.
struct CommandRow {
    RemoteCommand command;
    std::array<Hook, 4> hooks;
};

constexpr std::array kCommandTable{
    CommandRow{RemoteCommand::Quit, {&RemoteCommandActions::quit}},
    CommandRow{RemoteCommand::HideFloatingWindow, {&RemoteCommandActions::hideFloatingWindow}},
    CommandRow{RemoteCommand::ShowFloatingWindow, {&RemoteCommandActions::showFloatingWindow}},
    CommandRow{RemoteCommand::CloseMainWindow, {&RemoteCommandActions::closeMainWindow}},
    // Strictly in this order: nothing chosen in this run may be lost to the shut-down.
    CommandRow{RemoteCommand::SaveAndShutDown,
               {&RemoteCommandActions::writeJournal, &RemoteCommandActions::saveSettings,
                &RemoteCommandActions::saveLaunchList, &RemoteCommandActions::shutDown}},
    CommandRow{RemoteCommand::Dial, {&RemoteCommandActions::dial}},
    CommandRow{RemoteCommand::HangUp, {&RemoteCommandActions::hangUp}},
    CommandRow{RemoteCommand::NextControl, {&RemoteCommandActions::nextControl}},
};

}  // namespace

bool HandleRemoteCommand(std::uint32_t code, const RemoteCommandActions& actions) {
    const auto command = RemoteCommandOf(code);
    if (!command) {
        return false;
    }
    if (ShowsPage(*command)) {
        if (actions.showPage) {
            actions.showPage(static_cast<int>(code));
        }
        return true;
    }
    const auto row =
        std::find_if(kCommandTable.begin(), kCommandTable.end(),
                     [&](const CommandRow& entry) { return entry.command == *command; });
    for (Hook hook : row->hooks) {
        if (hook && actions.*hook) {
            (actions.*hook)();
        }
    }
    return true;
}

}  // namespace orv
