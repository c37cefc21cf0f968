#include "tools/rasemu/line_tokens.h"

namespace orv::rasemu {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

std::optional<std::vector<std::string>> SplitWords(std::string_view line) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < line.size()) {
        if (IsBlank(line[at])) {
            ++at;
        } else if (line[at] == '#') {
            break;
        } else if (line[at] == '"') {
            const std::size_t close = line.find('"', at + 1);
            if (close == std::string_view::npos) {
                return std::nullopt;
            }
            words.emplace_back(line.substr(at + 1, close - at - 1));
            at = close + 1;
        } else {
            const std::size_t begin = at;
            while (at < line.size() && !IsBlank(line[at]) && line[at] != '#' && line[at] != '"') {
                ++at;
            }
            words.emplace_back(line.substr(begin, at - begin));
        }
    }
    return words;
}

}  // namespace orv::rasemu
