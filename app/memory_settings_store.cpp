#include "app/memory_settings_store.h"

namespace orv {

std::optional<std::string> MemorySettingsStore::Read(std::string_view name) const {
    const auto found = values_.find(name);
    if (found == values_.end()) {
        return std::nullopt;
    }
    return found->second;
}

void MemorySettingsStore::Write(std::string_view name, std::string_view text) {
    values_.insert_or_assign(std::string(name), std::string(text));
    writes_.emplace_back(name, text);
}

}  // namespace orv
