#pragma once
// Message boxes that record what they would show, and common dialogs that answer as prepared.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/dialog_ports.h"

namespace orv::testing {

struct Box {
    std::string title;
    std::string text;
    bool error;
    bool operator==(const Box&) const = default;
};

class RecordingBoxes : public MessageBoxes {
  public:
    void ShowError(std::string_view title, std::string_view text) override {
        shown.push_back({std::string(title), std::string(text), true});
    }
    void ShowPlain(std::string_view title, std::string_view text) override {
        shown.push_back({std::string(title), std::string(text), false});
    }
    std::vector<Box> shown;
};

// Keeps what the user was told without a box.
class RecordingNotices : public Notices {
  public:
    void Notify(std::string_view text) override { told.emplace_back(text); }
    std::vector<std::string> told;
};

// Answers every dialog with the prepared choice (nothing = the user cancels).
class ScriptedDialogs : public CommonDialogs {
  public:
    std::optional<std::string> ChooseFileToOpen(std::string_view filter) override {
        filters.push_back(std::string(filter));
        return file;
    }
    std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) override {
        presets.push_back(initial);
        return colour;
    }
    std::optional<std::string> file;
    std::optional<std::uint32_t> colour;
    std::vector<std::string> filters;
    std::vector<std::uint32_t> presets;
};

}  // namespace orv::testing
