#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/common/settings_fakes.h"

namespace orv {
namespace {

using ::testing::ElementsAre;
using testing::SettingsRig;

TEST(SettingsReactions, PlaySoundSwitchOfARuleNeedsAFile) {
    SettingsRig rig;
    rig.controls.SetChecked(ids::kPlaySoundTraffic, true);
    rig.reactions.SwitchChanged(ids::kPlaySoundTraffic);
    EXPECT_FALSE(rig.controls.Checked(ids::kPlaySoundTraffic));
    ASSERT_EQ(rig.boxes.shown.size(), 1u);

    rig.controls.SetText(ids::kTrafficFile, "C:\\a.wav");
    rig.reactions.SetSwitch(ids::kPlaySoundTraffic, true);
    rig.reactions.SetSwitch(ids::kPlaySoundConnected, true);
    EXPECT_TRUE(rig.controls.Checked(ids::kPlaySoundTraffic));
    EXPECT_TRUE(rig.controls.Checked(ids::kPlaySoundConnected));
    EXPECT_EQ(rig.boxes.shown.size(), 1u);
}

TEST(SettingsReactions, BrowseButtonsFillTheirOwnFieldUnlessCancelled) {
    SettingsRig rig;
    rig.controls.SetText(ids::kDisconnectedFile, "old.wav");
    rig.reactions.BrowsePressed(ids::kBrowseDisconnectedFile);
    EXPECT_EQ(rig.controls.Text(ids::kDisconnectedFile), "old.wav");

    rig.dialogs.file = "C:\\sounds\\bye.wav";
    rig.reactions.BrowsePressed(ids::kBrowseDisconnectedFile);
    EXPECT_EQ(rig.controls.Text(ids::kDisconnectedFile), "C:\\sounds\\bye.wav");
    EXPECT_EQ(rig.controls.Text(ids::kConnectedFile), "");
    EXPECT_THAT(rig.dialogs.filters, ElementsAre("wav|*.wav", "wav|*.wav"));
}

TEST(SettingsReactions, SwatchPressPresetsTheDialogAndUpdatesTheDrawingColour) {
    SettingsRig rig;
    rig.reactions.ApplyColour(ids::kSentSwatch, 0x000000FFu);
    rig.reactions.SwatchPressed(ids::kSentSwatch);  // cancelled
    EXPECT_EQ(rig.colours.sent, 0x000000FFu);

    rig.dialogs.colour = 0x00123456u;
    rig.reactions.SwatchPressed(ids::kSentSwatch);
    EXPECT_THAT(rig.dialogs.presets, ElementsAre(0x000000FFu, 0x000000FFu));
    EXPECT_EQ(rig.colours.sent, 0x00123456u);
    EXPECT_EQ(rig.controls.Colour(ids::kSentSwatch), 0x00123456u);
    EXPECT_TRUE(rig.floating.calls.empty());
}

TEST(SettingsReactions, FrameSwatchRecoloursAndShowsTheFloatingWindowAgain) {
    SettingsRig rig;
    rig.reactions.SetSwitch(ids::kFloatingWindow, false);
    rig.dialogs.colour = 0x00FF0000u;
    rig.reactions.SwatchPressed(ids::kBorderSwatch);
    EXPECT_EQ(rig.colours.border, 0x00FF0000u);
    EXPECT_THAT(rig.floating.calls, ElementsAre("hide", "frame", "hide", "show"));
    EXPECT_TRUE(rig.floating.shown);
}

TEST(SettingsReactions, RefusedAutorunTurnsTheSwitchOffAndTriesToRemoveTheEntry) {
    SettingsRig rig;
    rig.autorun.refuse = true;
    rig.reactions.SetSwitch(ids::kAutoRun, true);
    EXPECT_FALSE(rig.controls.Checked(ids::kAutoRun));
    EXPECT_THAT(rig.autorun.requests, ElementsAre(true, false));
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST(SettingsReactions, ThresholdFieldsTakeDigitsAndBackspaceOnly) {
    EXPECT_TRUE(IsThresholdKey(U'0'));
    EXPECT_TRUE(IsThresholdKey(U'9'));
    EXPECT_TRUE(IsThresholdKey(U'\b'));
    for (char32_t key : {U'a', U'-', U' ', U'/', U':', U'\r', U'٣'}) {
        EXPECT_FALSE(IsThresholdKey(key)) << static_cast<unsigned>(key);
    }
}

}  // namespace
}  // namespace orv
