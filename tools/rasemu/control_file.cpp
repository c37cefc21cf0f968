#include "tools/rasemu/control_file.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace orv::rasemu {

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> ControlFileTail::NewLines() {
    std::ifstream file(path_, std::ios::binary);
    if (!file) {
        return {};
    }
    file.seekg(0, std::ios::end);
    const auto size = static_cast<std::uint64_t>(file.tellg());
    if (size < offset_) {
        // Cut back or written anew: read it again from the start.
        offset_ = 0;
        partial_.clear();
    }
    file.seekg(static_cast<std::streamoff>(offset_));
    std::string arrived((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    offset_ += arrived.size();
    partial_ += arrived;

    std::vector<std::string> lines;
    std::size_t begin = 0;
    for (std::size_t end = partial_.find('\n'); end != std::string::npos;
         end = partial_.find('\n', begin)) {
        std::string line = partial_.substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        begin = end + 1;
    }
    partial_.erase(0, begin);
    return lines;
}

}  // namespace orv::rasemu
