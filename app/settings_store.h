#pragma once
// Where the settings live between runs: named texts in one section. The Windows build keeps
// them in the current user's registry; host tests use MemorySettingsStore.

#include <optional>
#include <string>
#include <string_view>

#include "base/outcome.h"

namespace orv {

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // The stored text, or nothing when the value (or its section) is absent.
    virtual std::optional<std::string> Read(std::string_view name) const = 0;
    // Fails with the system's reason when the value could not be stored.
    virtual Outcome Write(std::string_view name, std::string_view text) = 0;
};

}  // namespace orv
