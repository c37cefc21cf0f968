#include "tools/speechemu/control_script.h"

#include <array>
#include <utility>

namespace orv::speechemu {

ControlLine ParseControlLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (line.starts_with('#')) {
        static constexpr std::array<std::pair<std::string_view, LineKind>, 4> kCommands{{
            {"#unreadable", LineKind::Unreadable},
            {"#fail activation", LineKind::FailActivation},
            {"#fail dictation", LineKind::FailDictation},
            {"#require audio", LineKind::RequireAudio},
        }};
        for (const auto& [text, kind] : kCommands) {
            if (line == text) {
                return {kind, {}};
            }
        }
        return {};
    }
    ControlLine parsed{LineKind::Recognitions, {}};
    while (!line.empty()) {
        const std::size_t bar = line.find('|');
        const std::string_view phrase = line.substr(0, bar);
        if (!phrase.empty()) {
            parsed.phrases.emplace_back(phrase);
        }
        line = bar == std::string_view::npos ? std::string_view() : line.substr(bar + 1);
    }
    if (parsed.phrases.empty()) {
        return {};
    }
    return parsed;
}

std::vector<std::string> LineSplitter::Feed(std::string_view bytes) {
    pending_ += bytes;
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = pending_.find('\n'); end != std::string::npos;
         end = pending_.find('\n', start)) {
        lines.push_back(pending_.substr(start, end - start));
        start = end + 1;
    }
    pending_.erase(0, start);
    return lines;
}

}  // namespace orv::speechemu
