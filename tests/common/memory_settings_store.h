#pragma once
// A settings store held in memory; it remembers the order of writes so that callers can check
// what was saved and when.

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/settings_store.h"

namespace orv {

class MemorySettingsStore : public SettingsStore {
  public:
    std::optional<std::string> Read(std::string_view name) const override {
        const auto found = values_.find(name);
        if (found == values_.end()) {
            return std::nullopt;
        }
        return found->second;
    }
    Outcome Write(std::string_view name, std::string_view text) override {
        writes_.emplace_back(name, text);
        if (refused_.contains(name)) {
            return Outcome::Failed("Access is denied.");
        }
        values_.insert_or_assign(std::string(name), std::string(text));
        return Outcome::Ok();
    }

    // Writes of this name fail from now on, as a registry value without write access would.
    void Refuse(std::string_view name) { refused_.emplace(name); }

    // Every write in the order it happened, as (name, text).
    const std::vector<std::pair<std::string, std::string>>& Writes() const { return writes_; }

  private:
    std::map<std::string, std::string, std::less<>> values_;
    std::vector<std::pair<std::string, std::string>> writes_;
    std::set<std::string, std::less<>> refused_;
};

}  // namespace orv
