#include "monitor/threshold_events.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "monitor/event_controls.h"
#include "tests/common/rule_fakes.h"

namespace orv {
namespace {

using test::FakeControls;
using test::Recorder;

class ThresholdEventsTest : public ::testing::Test {
  protected:
    ThresholdEventsTest() {
        controls.texts = {{std::string(ids::kTimeThreshold), "10"},
                          {std::string(ids::kSpeedThreshold), "0"},
                          {std::string(ids::kTrafficThreshold), "0"},
                          {std::string(ids::kTimeFile), "time.wav"},
                          {std::string(ids::kSpeedFile), "speed.wav"},
                          {std::string(ids::kTrafficFile), "traffic.wav"},
                          {std::string(ids::kConnectedFile), "up.wav"},
                          {std::string(ids::kDisconnectedFile), "down.wav"}};
        current.handle = 0x51;
        figures.InSession = true;
        figures.LineConnected = true;
    }

    // Runs one minute check and hands back what it did.
    std::vector<std::string> Check() {
        recorder.log.clear();
        events.MinuteCheck();
        return recorder.log;
    }

    FakeControls controls;
    Recorder recorder;
    CurrentConnection current;
    TickFigures figures;
    int launches = 0;
    LanguageCode language{"Rus"};
    ThresholdEvents events{{controls, recorder, recorder,
                            [this] {
                                recorder.log.push_back("hang up");
                                current.handle = 0;
                            },
                            [this] { ++launches; }, &language},
                           current,
                           [this] { return figures; }};
};

using Log = std::vector<std::string>;

TEST_F(ThresholdEventsTest, DurationRuleIsSilentBeforeItsMinuteAndFiresAtEveryCheckFromIt) {
    controls.checked[std::string(ids::kShowMessageTime)] = true;
    controls.checked[std::string(ids::kPlaySoundTime)] = true;
    figures.DurationMs = 10 * 60000 - 1000;  // 9:59
    EXPECT_EQ(Check(), Log{});
    figures.DurationMs = 10 * 60000;
    const Log fired{"sound time.wav", "balloon Продолжительность сессии больше 10"};
    EXPECT_EQ(Check(), fired);
    figures.DurationMs = 11 * 60000;
    EXPECT_EQ(Check(), fired);

    controls.texts[std::string(ids::kTimeThreshold)] = "x";  // not a number: 10 minutes
    EXPECT_EQ(Check(), (Log{"sound time.wav", "balloon Продолжительность сессии больше x"}));
    current.handle = 0;
    EXPECT_EQ(Check(), Log{}) << "nothing without a connection";
}

TEST_F(ThresholdEventsTest, SpeedRuleComparesTheLinkWithTheListsNumber) {
    controls.checked[std::string(ids::kShowMessageSpeed)] = true;
    figures.LinkSpeed = 31200;
    controls.texts[std::string(ids::kSpeedThreshold)] = "33600";
    EXPECT_EQ(Check(), Log{"balloon Скорость соединения меньше чем 33600"});
    EXPECT_EQ(Check().size(), 1u);
    controls.texts[std::string(ids::kSpeedThreshold)] = "abc";
    EXPECT_EQ(Check(), Log{});
    controls.texts[std::string(ids::kSpeedThreshold)] = "31200";
    EXPECT_EQ(Check(), Log{}) << "equal is not below";
}

TEST_F(ThresholdEventsTest, TrafficIsTheMinutesOwnAcrossStartsSessionsAnd4GiB) {
    controls.checked[std::string(ids::kPlaySoundTraffic)] = true;
    controls.texts[std::string(ids::kTrafficThreshold)] = "100";
    // Started during a running session: the first minute is the whole total.
    figures.TotalBytes = 99 * 1024;
    EXPECT_EQ(Check(), Log{"sound traffic.wav"});
    figures.TotalBytes = 99 * 1024 + 200 * 1024;
    EXPECT_EQ(Check(), Log{});

    // A new session with less traffic than the last total of the one before: measured from
    // its own start, so 150 KB in its first minute raise no alarm.
    events.NotifyConnected();
    figures.TotalBytes = 150 * 1024;
    EXPECT_EQ(Check(), Log{});

    // A gigabit minute moves more than 4 GiB: taken whole, not as the 50 KB above them.
    figures.TotalBytes = 0xFFFF'0000u;
    Check();
    figures.TotalBytes += (1ull << 32) + 50 * 1024;
    EXPECT_EQ(Check(), Log{});
    figures.TotalBytes += 50 * 1024;
    EXPECT_EQ(Check(), Log{"sound traffic.wav"});
}

TEST_F(ThresholdEventsTest, ThreeRulesFiringShowOneBalloonThatTellsTheHangUpAndTheEnd) {
    for (std::string_view id :
         {ids::kPlaySoundTime, ids::kShowMessageTime, ids::kHangUpTime, ids::kPlaySoundSpeed,
          ids::kShowMessageSpeed, ids::kHangUpSpeed, ids::kPlaySoundTraffic,
          ids::kShowMessageTraffic, ids::kHangUpTraffic, ids::kShowMessageConnected}) {
        controls.checked[std::string(id)] = true;
    }
    controls.texts[std::string(ids::kSpeedThreshold)] = "33600";
    controls.texts[std::string(ids::kTrafficThreshold)] = "100";
    figures.DurationMs = 20 * 60000;
    figures.LinkSpeed = 28800;
    figures.TotalBytes = 1024;
    // Only the first hang-up finds the line; the later rules still sound and show.
    const std::string rules =
        "Продолжительность сессии больше 10 - соединение разорвано\n"
        "Скорость соединения меньше чем 33600\nТраффик за минуту меньше чем 100";
    EXPECT_EQ(Check(), (Log{"sound time.wav", "hang up", "sound speed.wav", "hang up",
                            "sound traffic.wav", "hang up", "balloon " + rules}));
    EXPECT_EQ(current.handle, 0u);
    // The tick that finds the line gone announces the end without hiding why.
    recorder.log.clear();
    events.NotifyDisconnected();
    EXPECT_EQ(recorder.log, Log{"balloon " + rules + "\nКомпьютер отключен от сети"});
    recorder.log.clear();
    events.NotifyDisconnected();  // a later end owes nothing to the rules
    EXPECT_EQ(recorder.log, Log{"balloon Компьютер отключен от сети"});

    language.Set("Eng");
    current.handle = 0x52;
    events.NotifyConnected();
    EXPECT_EQ(recorder.log.back(), "balloon The computer is connected to the network");
    controls.checked[std::string(ids::kHangUpTime)] = false;
    EXPECT_EQ(Check().back(),
              "balloon Session longer than 10\nConnection speed below 33600 - the line was hung up\n"
              "Traffic of the last minute below 100");
}

TEST_F(ThresholdEventsTest, RulesLeaveADialInProgressAndADroppedLineAlone) {
    for (std::string_view id :
         {ids::kPlaySoundTraffic, ids::kShowMessageTraffic, ids::kHangUpTraffic}) {
        controls.checked[std::string(id)] = true;
    }
    controls.texts[std::string(ids::kTrafficThreshold)] = "100";
    figures.LineConnected = false;  // a slow dial: the handle is held, nothing has moved yet
    figures.InSession = false;
    EXPECT_TRUE(Check().empty());
    // The line dropped: the last figures stay behind, the session is over.
    figures.InSession = true;
    figures.DurationMs = 30 * 60000;
    EXPECT_TRUE(Check().empty());
    figures.LineConnected = true;
    EXPECT_EQ(Check().size(), 3u);
}

TEST_F(ThresholdEventsTest, AfterDialProgramsStartAtTheFirstConnectedCheckOnly) {
    figures.InSession = false;  // still dialing
    figures.LineConnected = false;
    Check();
    EXPECT_EQ(launches, 0);
    figures.InSession = true;
    figures.LineConnected = true;
    Check();
    Check();
    events.NotifyDisconnected();
    events.NotifyConnected();
    Check();
    EXPECT_EQ(launches, 1);
}

TEST_F(ThresholdEventsTest, TheNoticesBalloonTakesPrecedenceOverTheSound) {
    events.NotifyConnected();
    EXPECT_TRUE(recorder.log.empty());
    controls.checked[std::string(ids::kPlaySoundConnected)] = true;
    events.NotifyConnected();
    events.NotifyDisconnected();
    EXPECT_EQ(recorder.log, (Log{"sound up.wav", "sound down.wav"}));
    recorder.log.clear();
    controls.checked[std::string(ids::kShowMessageConnected)] = true;
    events.NotifyConnected();
    events.NotifyDisconnected();
    EXPECT_EQ(recorder.log,
              (Log{"balloon Компьютер подключен к сети", "balloon Компьютер отключен от сети"}));
}

TEST(ThresholdValue, TakesSignedIntegersWithLeadingBlanksAndFallsBackOtherwise) {
    EXPECT_EQ(ThresholdValue("33600", 0), 33600);
    EXPECT_EQ(ThresholdValue("  -5", 7), -5);
    EXPECT_EQ(ThresholdValue("+12", 7), 12);
    for (std::string_view bad : {"", " ", "12 ", "1 440", "abc", "99999999999", "--1"}) {
        EXPECT_EQ(ThresholdValue(bad, 7), 7) << bad;
    }
}

}  // namespace
}  // namespace orv
