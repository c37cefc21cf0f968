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
    ThresholdEvents events{{controls, recorder, recorder,
                            [this] {
                                recorder.log.push_back("hang up");
                                current.handle = 0;
                            },
                            [this] { ++launches; }},
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

TEST_F(ThresholdEventsTest, TrafficIsTheMinutesOwnAcrossStartsSessionsAndTwoGibibytes) {
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

    // Past 2 GiB the signed total turns negative; the minute is still 150 KB.
    figures.TotalBytes = static_cast<std::int32_t>(0x7FFF0000u);
    Check();
    figures.TotalBytes = static_cast<std::int32_t>(0x7FFF0000u + 150 * 1024);
    EXPECT_LT(figures.TotalBytes, 0);
    EXPECT_EQ(Check(), Log{});
    figures.TotalBytes = static_cast<std::int32_t>(0x7FFF0000u + 150 * 1024 + 50 * 1024);
    EXPECT_EQ(Check(), Log{"sound traffic.wav"});
}

TEST_F(ThresholdEventsTest, OneHangUpAndTheLaterRulesStillSoundAndShowWithTheFiguresRead) {
    for (std::string_view id :
         {ids::kPlaySoundTime, ids::kShowMessageTime, ids::kHangUpTime, ids::kPlaySoundSpeed,
          ids::kShowMessageSpeed, ids::kHangUpSpeed, ids::kPlaySoundTraffic,
          ids::kShowMessageTraffic, ids::kHangUpTraffic}) {
        controls.checked[std::string(id)] = true;
    }
    controls.texts[std::string(ids::kSpeedThreshold)] = "33600";
    controls.texts[std::string(ids::kTrafficThreshold)] = "100";
    figures.DurationMs = 20 * 60000;
    figures.LinkSpeed = 28800;
    figures.TotalBytes = 1024;
    EXPECT_EQ(Check(),
              (Log{"sound time.wav", "balloon Продолжительность сессии больше 10", "hang up",
                   "sound speed.wav", "balloon Скорость соединения меньше чем 33600", "hang up",
                   "sound traffic.wav", "balloon Траффик за минуту меньше чем 100", "hang up"}));
    EXPECT_EQ(current.handle, 0u);
}

TEST_F(ThresholdEventsTest, AfterDialProgramsStartAtTheFirstConnectedCheckOnly) {
    figures.InSession = false;  // still dialing
    Check();
    EXPECT_EQ(launches, 0);
    figures.InSession = true;
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
