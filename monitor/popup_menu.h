#pragma once
// The pop-up menu shared by the floating window and the tray icon: eight page entries, a
// separator, the line's connect and disconnect, another separator and the exit entry, in the
// order the user sees them.

#include <span>
#include <string_view>

#include "remote/remote_command.h"

namespace orv {

// The page entries carry the page codes 3 to 10 (page index + 3), the same codes the remote
// commands use for the page switch.
inline constexpr int kFirstPageCommand = static_cast<int>(CodeOf(RemoteCommand::ShowInformation));
inline constexpr int kLastPageCommand = static_cast<int>(CodeOf(RemoteCommand::ShowAbout));
// Outside the page codes, so that no remote command code can be mistaken for it.
inline constexpr int kExitCommand = 100;
inline constexpr int kConnectCommand = 101;     // "Подключить": the dial page's "Dial"
inline constexpr int kDisconnectCommand = 102;  // "Отключить": its "HangUp"
inline constexpr int kSeparator = 0;

// Which of the two line entries can act now; the other is shown disabled.
struct LineEntries {
    bool connect = false;
    bool disconnect = false;
};

struct PopupMenuEntry {
    std::string_view text;  // empty for the separator
    int command;            // kSeparator for the separator
    std::string_view id;    // the entry's identifier, which language files address
};

std::span<const PopupMenuEntry> PopupMenuEntries();

inline bool IsPageCommand(int command) {
    return command >= kFirstPageCommand && command <= kLastPageCommand;
}

}  // namespace orv
