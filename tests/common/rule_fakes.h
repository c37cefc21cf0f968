#pragma once
// Fakes for the minute check's rules: the events page's controls as plain maps, and a recorder
// of the sounds and balloons in the order they came.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/control_states.h"
#include "monitor/threshold_events.h"

namespace orv::test {

class FakeControls : public ControlStates {
  public:
    std::map<std::string, bool, std::less<>> checked;
    std::map<std::string, std::string, std::less<>> texts;

    bool Checked(std::string_view id) const override {
        const auto found = checked.find(id);
        return found != checked.end() && found->second;
    }
    std::string Text(std::string_view id) const override {
        const auto found = texts.find(id);
        return found == texts.end() ? std::string() : found->second;
    }
};

// Sounds, balloons (and what a test adds, such as hang-ups) in the order they happened.
struct Recorder : SoundPlayer, TrayBalloons {
    std::vector<std::string> log;
    void PlayAsync(std::string_view file) override { log.push_back("sound " + std::string(file)); }
    void ShowTrayBalloon(std::string_view text) override {
        log.push_back("balloon " + std::string(text));
    }
};

}  // namespace orv::test
