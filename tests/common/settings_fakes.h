#pragma once
// Fakes for the settings controls and the ports their reactions use.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/settings_controls.h"
#include "app/settings_ports.h"
#include "app/settings_reactions.h"
#include "tests/common/dialog_fakes.h"

namespace orv::testing {

// Controls as the main window creates them: "Показывать плавающее окошко" on, the rest off.
class FakeSettingsControls : public SettingsControls {
  public:
    FakeSettingsControls() { checked_[std::string(ids::kFloatingWindow)] = true; }

    bool Checked(std::string_view id) const override { return Get(checked_, id, false); }
    void SetChecked(std::string_view id, bool on) override {
        log.push_back(std::string(id));
        checked_[std::string(id)] = on;
    }
    std::string Text(std::string_view id) const override { return Get(texts_, id, {}); }
    void SetText(std::string_view id, std::string_view text) override {
        log.push_back(std::string(id));
        texts_[std::string(id)] = std::string(text);
    }
    std::uint32_t Colour(std::string_view id) const override { return Get(colours_, id, 0u); }
    void SetColour(std::string_view id, std::uint32_t colour) override {
        log.push_back(std::string(id));
        colours_[std::string(id)] = colour;
    }
    int Position(std::string_view id) const override { return Get(positions_, id, 0); }
    void SetPosition(std::string_view id, int position) override {
        log.push_back(std::string(id));
        positions_[std::string(id)] = position;
    }

    // Identifiers in the order their state was set.
    std::vector<std::string> log;

  private:
    template <typename T>
    static T Get(const std::map<std::string, T, std::less<>>& map, std::string_view id,
                 T fallback) {
        const auto found = map.find(id);
        return found == map.end() ? fallback : found->second;
    }

    std::map<std::string, bool, std::less<>> checked_;
    std::map<std::string, std::string, std::less<>> texts_;
    std::map<std::string, std::uint32_t, std::less<>> colours_;
    std::map<std::string, int, std::less<>> positions_;
};

class FakeFloatingWindow : public FloatingWindowControl {
  public:
    void Show() override {
        calls.push_back("show");
        shown = true;
    }
    void Hide() override {
        calls.push_back("hide");
        shown = false;
    }
    void SetStayOnTop(bool on) override {
        calls.push_back(on ? "top" : "not top");
        onTop = on;
    }
    void SetAlpha(int value) override {
        calls.push_back("alpha " + std::to_string(value));
        alpha = value;
    }
    void RedrawFrame() override { calls.push_back("frame"); }
    std::vector<std::string> calls;
    bool shown = true;
    bool onTop = false;
    int alpha = -1;
};

class FakeAutorun : public AutorunEntry {
  public:
    Outcome Enable(bool clearDisabledMark) override {
        requests.push_back(clearDisabledMark ? "on, clearing the mark" : "on");
        if (refuse) {
            return Outcome::Failed("Access is denied.");
        }
        enabled = true;
        disabledInStartupList = disabledInStartupList && !clearDisabledMark;
        return Outcome::Ok();
    }
    Outcome Disable() override {
        requests.push_back("off");
        enabled = false;
        return Outcome::Ok();
    }
    bool DisabledInStartupList() const override { return enabled && disabledInStartupList; }
    bool refuse = false;
    bool enabled = false;
    bool disabledInStartupList = false;
    std::vector<std::string> requests;
};

// System colour n renders as 0x000100nn, so tests can tell which index was asked for.
class FakeSystemColours : public SystemColours {
  public:
    Colour ColourOf(int index) const override { return 0x00010000u | static_cast<Colour>(index); }
};

// The controls with every port faked, wired the way the program wires them.
struct SettingsRig {
    FakeSettingsControls controls;
    RecordingBoxes boxes;
    ScriptedDialogs dialogs;
    FakeFloatingWindow floating;
    FakeAutorun autorun;
    DrawingColours colours;
    FakeSystemColours system;
    std::vector<std::string> status;
    SettingsReactions reactions{controls,
                                {boxes, dialogs, floating, autorun, colours, system, {}, nullptr,
                                 [this](std::string_view text) { status.emplace_back(text); }}};
};

}  // namespace orv::testing
