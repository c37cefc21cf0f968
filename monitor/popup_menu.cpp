#include "monitor/popup_menu.h"

#include <array>

#include "remote/remote_command.h"

namespace orv {

namespace {

// The page entries carry the remote commands' own codes.
constexpr int Code(RemoteCommand command) {
    return static_cast<int>(CodeOf(command));
}

}  // namespace

std::span<const PopupMenuEntry> PopupMenuEntries() {
    static constexpr std::array<PopupMenuEntry, 13> kEntries{{
        {"Information", Code(RemoteCommand::ShowInformation), "Information1"},
        {"Statistics", Code(RemoteCommand::ShowStatistics), "Statistics1"},
        {"AllStatistics", Code(RemoteCommand::ShowAllStatistics), "AllStatistics1"},
        {"DialUp", Code(RemoteCommand::ShowDialUp), "DialUp1"},
        {"Events", Code(RemoteCommand::ShowEvents), "Events1"},
        {"Options", Code(RemoteCommand::ShowOptions), "Options1"},
        {"Scheduler", Code(RemoteCommand::ShowScheduler), "Scheduler1"},
        {"About", Code(RemoteCommand::ShowAbout), "Show1"},
        {"", kSeparator, "N1"},
        {"Подключить", kConnectCommand, "Connect1"},
        {"Отключить", kDisconnectCommand, "Disconnect1"},
        {"", kSeparator, "N2"},
        {"Выход", kExitCommand, "Exit1"},
    }};
    return kEntries;
}

}  // namespace orv
