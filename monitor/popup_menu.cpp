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
    static constexpr std::array<PopupMenuEntry, 10> kEntries{{
        {"Information", Code(RemoteCommand::ShowInformation)},
        {"Statistics", Code(RemoteCommand::ShowStatistics)},
        {"AllStatistics", Code(RemoteCommand::ShowAllStatistics)},
        {"DialUp", Code(RemoteCommand::ShowDialUp)},
        {"Events", Code(RemoteCommand::ShowEvents)},
        {"Options", Code(RemoteCommand::ShowOptions)},
        {"Scheduler", Code(RemoteCommand::ShowScheduler)},
        {"About", Code(RemoteCommand::ShowAbout)},
        {"", kSeparator},
        {"Выход", kExitCommand},
    }};
    return kEntries;
}

}  // namespace orv
