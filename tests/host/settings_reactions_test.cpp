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

TEST(SettingsReactions, RefusedAutorunTurnsTheSwitchOffRemovesTheEntryAndSaysWhy) {
    SettingsRig rig;
    rig.autorun.refuse = true;
    rig.reactions.SetSwitch(ids::kAutoRun, true);
    EXPECT_FALSE(rig.controls.Checked(ids::kAutoRun));
    EXPECT_THAT(rig.autorun.requests, ElementsAre("on", "off"));
    EXPECT_TRUE(rig.boxes.shown.empty());
    EXPECT_THAT(rig.status, ElementsAre("Unable to start Orvane with Windows: Access is denied."));
}

// Task Manager's "disabled" holds at start (the switch shows it off, nothing is written); the
// user's click on the switch takes it back.
TEST(SettingsReactions, AnEntryDisabledInTheStartupListIsOffUntilTheUserTurnsItOn) {
    SettingsRig rig;
    rig.autorun.enabled = true;
    rig.autorun.disabledInStartupList = true;
    rig.reactions.SetSwitch(ids::kAutoRun, true);
    EXPECT_FALSE(rig.controls.Checked(ids::kAutoRun));
    EXPECT_TRUE(rig.autorun.requests.empty());
    EXPECT_TRUE(rig.autorun.enabled);

    rig.controls.SetChecked(ids::kAutoRun, true);
    rig.reactions.SwitchClicked(ids::kAutoRun);
    EXPECT_TRUE(rig.controls.Checked(ids::kAutoRun));
    EXPECT_THAT(rig.autorun.requests, ElementsAre("on, clearing the mark"));
    EXPECT_FALSE(rig.autorun.disabledInStartupList);
    EXPECT_TRUE(rig.status.empty());
}

TEST(SettingsReactions, ThresholdFieldsTakeDigitsAndBackspaceOnly) {
    EXPECT_TRUE(IsThresholdKey(U'0'));
    EXPECT_TRUE(IsThresholdKey(U'9'));
    EXPECT_TRUE(IsThresholdKey(U'\b'));
    for (char32_t key : {U'a', U'-', U' ', U'/', U':', U'\r', U'٣', U'\x02', U'\x17'}) {
        EXPECT_FALSE(IsThresholdKey(key)) << static_cast<unsigned>(key);
    }
    // Ctrl+C and Ctrl+V reach the field: a paste is checked by its text instead.
    EXPECT_TRUE(IsThresholdKey(U'\x03'));
    EXPECT_TRUE(IsThresholdKey(U'\x16'));
    EXPECT_TRUE(IsThresholdText("0120"));
    for (const char* pasted : {"12a", " 5", "1\r\n", "-3", "٣"}) {
        EXPECT_FALSE(IsThresholdText(pasted)) << pasted;
    }
}

}  // namespace
}  // namespace orv
