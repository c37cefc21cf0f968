#include "remote/command_phrases.h"

#include <array>

namespace orv {

std::span<const CommandPhrase> CommandPhrases() {
    // Each page phrase opens the page it names; "close" only hides the main window, and no
    // phrase shuts the computer down, since dictation can mishear.
    static constexpr std::array<CommandPhrase, 13> kPhrases{{
        {"exit", RemoteCommand::Quit},
        {"minimize", RemoteCommand::HideFloatingWindow},
        {"show", RemoteCommand::ShowFloatingWindow},
        {"information", RemoteCommand::ShowInformation},
        {"statistics", RemoteCommand::ShowStatistics},
        {"more statistics", RemoteCommand::ShowAllStatistics},
        {"dial up", RemoteCommand::ShowDialUp},
        {"events", RemoteCommand::ShowEvents},
        {"options", RemoteCommand::ShowOptions},
        {"scheduler", RemoteCommand::ShowScheduler},
        {"about", RemoteCommand::ShowAbout},
        {"close", RemoteCommand::CloseMainWindow},
        {"shut down", RemoteCommand::CloseMainWindow},
    }};
    return kPhrases;
}

std::optional<RemoteCommand> CommandForText(std::string_view ansiText) {
    if (ansiText.size() >= kCommandTextCapacity) {
        return std::nullopt;
    }
    for (const CommandPhrase& entry : CommandPhrases()) {
        if (entry.phrase == ansiText) {
            return entry.command;
        }
    }
    return std::nullopt;
}

}  // namespace orv
