#pragma once
// The spoken phrases of the speech companion and the command each one sends.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "remote/remote_command.h"

namespace orv {

struct CommandPhrase {
    std::string_view phrase;
    RemoteCommand command;
};

// In the order the recognised text is compared with them.
std::span<const CommandPhrase> CommandPhrases();

// The recognised text is held as ANSI text of at most 99 bytes (a 100-byte buffer with its
// terminating zero).
inline constexpr std::size_t kCommandTextCapacity = 100;

// The command whose phrase equals the whole text, exactly and case-sensitively. A text longer
// than 99 bytes sends nothing: it is skipped, never cut down to a phrase.
std::optional<RemoteCommand> CommandForText(std::string_view ansiText);

}  // namespace orv
