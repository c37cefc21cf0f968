// Every control a user can press or pick from has one reaction, or is marked as having none of
// its own; a second reaction for a control is refused and listed.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/control_reactions_win32.h"
#include "app/dial_page_win32.h"
#include "app/launch_page_win32.h"
#include "app/page_layout.h"
#include "app/settings_controls.h"
#include "app/settings_reactions.h"
#include "app/statistics_page_win32.h"

namespace orv {
namespace {

bool TakesInput(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
        case ControlKind::GroupBox:
        case ControlKind::Edit:
        case ControlKind::Password:
        case ControlKind::UpDown:
        case ControlKind::GraphArea:
        case ControlKind::Icon:
        case ControlKind::LinkLabel:  // opens its address itself
            return false;
        default:
            return true;
    }
}

template <typename Page>
void Count(std::map<std::string, int>& reactions, std::span<const ReactionRow<Page>> rows) {
    for (const ReactionRow<Page>& row : rows) {
        ++reactions[std::string(row.control)];
    }
}

// What the pages register: their tables, the settings' lists and the language box.
std::map<std::string, int> RegisteredControls() {
    std::map<std::string, int> reactions;
    Count(reactions, DialPage::Reactions());
    Count(reactions, StatisticsPage::Reactions());
    Count(reactions, Win32LaunchPageView::Reactions());
    for (const auto& ids : {SwitchesWithReactions(), BrowseButtons(), ColourSwatches(),
                            RangedThresholdFields()}) {
        for (std::string_view id : ids) {
            ++reactions[std::string(id)];
        }
    }
    ++reactions[std::string(ids::kTransparency)];
    ++reactions[std::string(ids::kLanguage)];
    return reactions;
}

TEST(ControlReactions, EveryControlThatTakesInputHasOneReactionOrIsMarkedWithout) {
    const std::map<std::string, int> registered = RegisteredControls();
    for (const auto& [id, count] : registered) {
        EXPECT_EQ(count, 1) << id << " is registered " << count << " times";
        EXPECT_NE(FindControl(id), nullptr) << id << " is no control of the layout";
    }
    for (const PageSpec& page : MainWindowPages()) {
        for (const ControlSpec& control : page.controls) {
            if (!TakesInput(control.kind)) {
                continue;
            }
            const bool reacts = registered.contains(std::string(control.id));
            EXPECT_NE(reacts, control.passive)
                << control.id << (reacts ? " reacts but is marked without reaction"
                                         : " has no reaction and is not marked without one");
        }
    }
}

TEST(ControlReactions, ASecondRegistrationIsRefusedAndListed) {
    ControlReactions controls;
    std::vector<int> ran;
    controls.OnClick("BitBtn1", [&] { ran.push_back(1); });
    controls.OnCommand("BitBtn1", [&](int) { ran.push_back(2); });
    controls.OnPageShown(3, [] {});
    controls.OnPageShown(3, [] {});
    controls.Command("BitBtn1", BN_CLICKED);
    EXPECT_EQ(ran, std::vector<int>{1});
    EXPECT_EQ(controls.Duplicates(), (std::vector<std::string>{"BitBtn1", "page 3"}));
}

}  // namespace
}  // namespace orv
