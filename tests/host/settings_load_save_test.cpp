#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "app/monitor_settings.h"
#include "app/settings_autosave.h"
#include "tests/common/memory_settings_store.h"
#include "tests/common/settings_fakes.h"

namespace orv {
namespace {

using ::testing::ElementsAre;
using testing::SettingsRig;

std::vector<std::string> WrittenNames(const MemorySettingsStore& store) {
    std::vector<std::string> names;
    for (const auto& [name, text] : store.Writes()) {
        names.push_back(name);
    }
    return names;
}

bool AnyOn(const DisplayFlags& f) {
    return f.bytesRecv || f.bytesSend || f.connectSpeed || f.duration || f.curSpeed ||
           f.averageSpeed || f.clientIp || f.serverIp;
}

std::string Saved(const MemorySettingsStore& store, std::string_view name) {
    return store.Read(name).value_or("<absent>");
}

TEST(SettingsLoad, FirstStartWithoutValuesGivesTheDefaults) {
    MemorySettingsStore empty;
    SettingsRig rig;
    EXPECT_TRUE(ReadStartupFlag(empty));
    LoadSettings(empty, rig.controls, rig.reactions);
    ReadThresholds(empty, rig.controls);

    EXPECT_TRUE(rig.floating.shown);
    EXPECT_TRUE(rig.floating.onTop);
    EXPECT_EQ(rig.floating.alpha, 255);
    EXPECT_TRUE(rig.autorun.enabled);
    EXPECT_TRUE(rig.boxes.shown.empty());
    EXPECT_FALSE(AnyOn(DisplayFlagsOf(rig.controls)));
    EXPECT_EQ(rig.controls.Text(ids::kTimeThreshold), "10");
    EXPECT_EQ(rig.controls.Text(ids::kSpeedThreshold), "0");
    EXPECT_EQ(rig.controls.Text(ids::kTrafficThreshold), "100");
    EXPECT_EQ(rig.colours.background, 0x00010001u);  // system colour 1, rendered
    EXPECT_EQ(rig.colours.border, 0x0001000Fu);      // system colour 15
    EXPECT_EQ(rig.colours.received, 0x00FF00u);
    EXPECT_EQ(rig.colours.sent, 0x0000FFu);

    MemorySettingsStore saved;
    SaveSettings(rig.controls, saved, rig.boxes);
    EXPECT_EQ(Saved(saved, "BackGround"), "-16777215");
    EXPECT_EQ(Saved(saved, "FlowingWindow"), "1");
    EXPECT_EQ(Saved(saved, "AutoRun"), "1");
    EXPECT_EQ(Saved(saved, "TranspValue"), "255");
    EXPECT_EQ(Saved(saved, "BytesRecv"), "0");
}

TEST(SettingsLoad, LeavesThresholdsAndLanguageAloneAndFillsFilesBeforeSwitches) {
    MemorySettingsStore store;
    store.Write("Language", "Rus");
    store.Write("TimeValueToInform", "30");
    SettingsRig rig;
    LoadSettings(store, rig.controls, rig.reactions);

    const auto& log = rig.controls.log;
    for (auto untouched :
         {ids::kLanguage, ids::kTimeThreshold, ids::kSpeedThreshold, ids::kTrafficThreshold}) {
        EXPECT_EQ(std::count(log.begin(), log.end(), untouched), 0) << untouched;
    }
    const auto firstSwitch = std::find(log.begin(), log.end(), "CheckBox2");
    const auto lastFile = std::find(log.begin(), log.end(), ids::kDisconnectedFile);
    ASSERT_NE(lastFile, log.end());
    EXPECT_LT(lastFile, firstSwitch);
}

TEST(SettingsLoad, PlaySoundWithoutFileEndsOffAfterOneErrorBox) {
    MemorySettingsStore store;
    store.Write("PlaySndSpeed", "1");
    store.Write("PlaySndTime", "1");
    store.Write("SndTimeFile", "C:\\ding.wav");
    store.Write("PlaySndConnected", "1");  // the connect row has no file check
    SettingsRig rig;
    LoadSettings(store, rig.controls, rig.reactions);

    EXPECT_THAT(rig.boxes.shown, ElementsAre(testing::Box{"Ошибка", "Не выбран файл", true}));
    MemorySettingsStore saved;
    SaveSettings(rig.controls, saved, rig.boxes);
    EXPECT_EQ(Saved(saved, "PlaySndSpeed"), "0");
    EXPECT_EQ(Saved(saved, "PlaySndTime"), "1");
    EXPECT_EQ(Saved(saved, "PlaySndConnected"), "1");
}

TEST(SettingsLoad, StoredSwitchesRunTheirReactions) {
    MemorySettingsStore store;
    store.Write("FlowingWindow", "0");
    store.Write("StayOnTop", "0");
    store.Write("AutoRun", "0");
    store.Write("TranspValue", "10");  // below the slider's range
    store.Write("BorderColor", "255");
    SettingsRig rig;
    rig.autorun.enabled = true;
    LoadSettings(store, rig.controls, rig.reactions);

    EXPECT_FALSE(rig.floating.shown);
    EXPECT_FALSE(rig.floating.onTop);
    EXPECT_FALSE(rig.autorun.enabled);  // reapplied although the switch did not change
    EXPECT_EQ(rig.floating.alpha, 55);
    EXPECT_EQ(rig.colours.border, 255u);
    EXPECT_THAT(rig.floating.calls, ::testing::Contains("frame"));
}

TEST(SettingsThresholds, AreClampedToTheirRangesAndJunkGivesTheDefault) {
    struct Case {
        const char* time;
        const char* traffic;
        const char* wantTime;
        const char* wantTraffic;
    };
    for (const Case& c :
         {Case{"5", "0", "10", "1"}, Case{"abc", "abc", "10", "100"},
          Case{"99999", "20000", "1440", "10240"}, Case{"125", "512", "125", "512"}}) {
        MemorySettingsStore store;
        store.Write("TimeValueToInform", c.time);
        store.Write("TrafficValueToInform", c.traffic);
        store.Write("SpeedValueToInform", "abc");
        SettingsRig rig;
        ReadThresholds(store, rig.controls);
        EXPECT_EQ(rig.controls.Text(ids::kTimeThreshold), c.wantTime) << c.time;
        EXPECT_EQ(rig.controls.Text(ids::kTrafficThreshold), c.wantTraffic) << c.traffic;
        EXPECT_EQ(rig.controls.Text(ids::kSpeedThreshold), "abc");
    }
}

TEST(SettingsLoad, AllowanceNumbersAreKeptInTheirRangesAndActionsHaveTheirDefaults) {
    MemorySettingsStore store;
    store.Write("MonthStartDay", "31");
    store.Write("MonthTrafficLimit", "abc");
    store.Write("MonthTimeLimit", "-5");
    store.Write("PlaySndMonth", "1");  // without a file: switched off with the box
    SettingsRig rig;
    LoadSettings(store, rig.controls, rig.reactions);
    EXPECT_EQ(rig.controls.Text(ids::kMonthStartDay), "28");
    EXPECT_EQ(rig.controls.Text(ids::kMonthTrafficLimit), "0");
    EXPECT_EQ(rig.controls.Text(ids::kMonthTimeLimit), "0");
    EXPECT_EQ(rig.controls.Text(ids::kMonthWarnPercent), "90");
    EXPECT_TRUE(rig.controls.Checked(ids::kShowMessageMonth));
    EXPECT_FALSE(rig.controls.Checked(ids::kPlaySoundMonth));
    EXPECT_FALSE(rig.controls.Checked(ids::kHangUpMonth));
    EXPECT_EQ(rig.boxes.shown.size(), 1u);
}

TEST(SettingsSave, WritesEveryValueInItsOwnOrder) {
    SettingsRig rig;
    MemorySettingsStore store;
    SaveSettings(rig.controls, store, rig.boxes);
    EXPECT_THAT(
        WrittenNames(store),
        ElementsAre("BytesRecv", "BytesSend", "ConnectSpeed", "Duration", "ClientIP", "ServerIP",
                    "FlowingWindow", "CurSpeed", "AverageSpeed", "PlaySndConnected",
                    "ShowMsgConnected", "SndConnectedFile", "SndDisconnectedFile",
                    "TimeValueToInform", "SndTimeFile", "PlaySndTime", "ShowMsgTime", "HangUpTime",
                    "SpeedValueToInform", "SndSpeedFile", "PlaySndSpeed", "ShowMsgSpeed",
                    "HangUpSpeed", "TrafficValueToInform", "SndTrafficFile", "PlaySndTraffic",
                    "ShowMsgTraffic", "HangUpTraffic", "AutoRun", "ShutDown", "StayOnTop",
                    "SpeechPlugin", "RedialOnFailure", "BackGround", "RecvColor", "SendColor",
                    "TimeColor", "BorderColor", "TranspValue", "Language", "MonthStartDay",
                    "MonthTrafficLimit", "MonthTimeLimit", "MonthWarnPercent", "ShowMsgMonth",
                    "PlaySndMonth", "SndMonthFile", "HangUpMonth"));
}

TEST(SettingsSave, AFailedWriteIsReportedOnceAndTheOtherValuesAreStillWritten) {
    SettingsRig rig;
    MemorySettingsStore store;
    EXPECT_TRUE(SaveSettings(rig.controls, store, rig.boxes));
    EXPECT_TRUE(rig.boxes.shown.empty());

    MemorySettingsStore refusing;
    refusing.Refuse("AutoRun");
    refusing.Refuse("Language");
    EXPECT_FALSE(SaveSettings(rig.controls, refusing, rig.boxes));
    EXPECT_EQ(refusing.Writes().size(), store.Writes().size());
    EXPECT_EQ(refusing.Read("TranspValue"), store.Read("TranspValue"));
    EXPECT_THAT(rig.boxes.shown,
                ElementsAre(testing::Box{"Orvane",
                                         "The settings cannot be saved: Access is denied.", true}));
}

TEST(SettingsSave, WhatIsSavedLoadsBackIntoTheSameControls) {
    SettingsRig before;
    before.controls.SetText(ids::kSpeedFile, "C:\\звук.wav");
    before.controls.SetChecked(ids::kPlaySoundSpeed, true);
    before.controls.SetChecked(ids::kShowServerIp, true);
    before.controls.SetChecked(ids::kFloatingWindow, false);
    before.controls.SetColour(ids::kReceivedSwatch, 0x00FF0000u);
    before.controls.SetPosition(ids::kTransparency, 128);
    before.controls.SetText(ids::kTrafficThreshold, "40");
    before.controls.SetText(ids::kLanguage, "Rus");
    MemorySettingsStore store;
    SaveSettings(before.controls, store, before.boxes);
    EXPECT_EQ(Saved(store, "RecvColor"), "16711680");
    EXPECT_EQ(Saved(store, "Language"), "Rus");

    SettingsRig after;
    LoadSettings(store, after.controls, after.reactions);
    ReadThresholds(store, after.controls);
    EXPECT_EQ(after.controls.Text(ids::kSpeedFile), "C:\\звук.wav");
    EXPECT_TRUE(after.controls.Checked(ids::kPlaySoundSpeed));
    EXPECT_TRUE(DisplayFlagsOf(after.controls).serverIp);
    EXPECT_FALSE(after.floating.shown);
    EXPECT_EQ(after.colours.received, 0x00FF0000u);
    EXPECT_EQ(after.floating.alpha, 128);
    EXPECT_EQ(after.controls.Text(ids::kTrafficThreshold), "40");
    EXPECT_TRUE(after.boxes.shown.empty());
}

// A change is written a few seconds after it, once, and only when something changed.
TEST(SettingsAutosave, SavesAfterTheDelayOnlyWhatChangedSinceTheLoad) {
    testing::FakeSettingsControls controls;
    MemorySettingsStore store;
    testing::RecordingBoxes boxes;
    std::vector<unsigned> delays;
    SettingsAutosave autosave(controls, store, boxes, [&](unsigned ms) { delays.push_back(ms); });

    autosave.ControlReported(ids::kShowBytesRecv);  // during start-up: nothing is loaded yet
    EXPECT_TRUE(delays.empty());
    autosave.Arm();
    autosave.ControlReported("Button3");  // not a setting
    EXPECT_TRUE(delays.empty());
    autosave.ControlReported(ids::kShowBytesRecv);  // a click that changed nothing
    autosave.DelayElapsed();
    EXPECT_TRUE(store.Writes().empty());

    controls.SetChecked(ids::kShowBytesRecv, true);
    autosave.ControlReported(ids::kShowBytesRecv);
    EXPECT_THAT(delays, ElementsAre(kSettingsSaveDelayMs, kSettingsSaveDelayMs));
    autosave.DelayElapsed();
    EXPECT_EQ(Saved(store, "BytesRecv"), "1");
    const std::size_t writes = store.Writes().size();
    autosave.DelayElapsed();
    EXPECT_EQ(store.Writes().size(), writes);

    store.Refuse("TranspValue");
    controls.SetPosition(ids::kTransparency, 100);
    autosave.DelayElapsed();
    EXPECT_EQ(boxes.shown.size(), 1u);
    autosave.DelayElapsed();  // still unsaved: tried and told again
    EXPECT_EQ(boxes.shown.size(), 2u);
}

}  // namespace
}  // namespace orv
