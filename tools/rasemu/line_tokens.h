#pragma once
// Splits one line of a scenario or control file into words: blanks separate words, double
// quotes hold a word with blanks in it, and '#' outside quotes starts a comment.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::rasemu {

// The words of line, or nothing when a quote is left open.
std::optional<std::vector<std::string>> SplitWords(std::string_view line);

}  // namespace orv::rasemu
