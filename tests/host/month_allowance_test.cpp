// The monthly allowance: billing periods, the stored sessions summed by period as they are
// added, and the rule the minute check runs after the three threshold rules.
#include "monitor/month_allowance.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "base/billing_period.h"
#include "monitor/allowance_controls.h"
#include "stats/period_tally.h"
#include "tests/common/monitor_tick_fakes.h"
#include "tests/common/rule_fakes.h"
#include "tests/host/support/memory_document.h"

namespace orv {
namespace {

const RegionalFormats kRussian{};  // dd.MM.yyyy H:mm:ss

BillingPeriod Period(int startDay, LocalDateTime at) {
    return PeriodContaining(at, startDay);
}

TEST(BillingPeriod, StartsAtMidnightOfItsDayAndRunsToTheSameDayOfTheNextMonth) {
    const LocalDateTime midMonth{2026, 12, 9, 15, 30, 0};
    EXPECT_EQ(Period(1, midMonth), (BillingPeriod{{2026, 12, 1}, {2027, 1, 1}}));
    EXPECT_EQ(Period(15, midMonth), (BillingPeriod{{2026, 11, 15}, {2026, 12, 15}}));
    EXPECT_EQ(Period(28, midMonth), (BillingPeriod{{2026, 11, 28}, {2026, 12, 28}}));
    // The boundary itself: midnight of the start day begins the new period.
    EXPECT_EQ(Period(15, {2026, 12, 15, 0, 0, 0}).first, (CalendarDay{2026, 12, 15}));
    EXPECT_EQ(Period(15, {2026, 12, 14, 23, 59, 59}).first, (CalendarDay{2026, 11, 15}));
    // The year's turn, both ways.
    EXPECT_EQ(Period(15, {2027, 1, 3, 8, 0, 0}), (BillingPeriod{{2026, 12, 15}, {2027, 1, 15}}));
    EXPECT_EQ(Period(28, {2026, 12, 28, 0, 0, 0}), (BillingPeriod{{2026, 12, 28}, {2027, 1, 28}}));
    // February has every start day; days past 28 are taken as 28.
    EXPECT_EQ(Period(28, {2027, 3, 1, 0, 0, 0}), (BillingPeriod{{2027, 2, 28}, {2027, 3, 28}}));
    EXPECT_EQ(Period(31, midMonth), Period(28, midMonth));
    EXPECT_EQ(Period(0, midMonth), Period(1, midMonth));
}

// Stores each session into the document, as the statistics file does.
class DocumentStore final : public SessionStore {
  public:
    explicit DocumentStore(testing::MemoryDocument& document) : document_(document) {}
    void AppendSession(const ConnectionInfo& session) override {
        const NamedText attributes[] = {
            {"name", session.name},           {"user", ""},
            {"duration", session.duration},   {"connspeed", session.connspeed},
            {"received", session.received},   {"send", session.send},
            {"serverip", session.serverip},   {"clientip", session.clientip},
            {"startsession", session.startsession}, {"endsession", session.endsession},
            {"averagespeed", session.averagespeed}};
        document_.AppendRecord(attributes);
    }

  private:
    testing::MemoryDocument& document_;
};

testing::MemoryDocument::Record Ended(std::string end, std::string received, std::string sent,
                                      std::string duration = "60000") {
    auto record = testing::SessionRecord("ISP", std::move(duration), std::move(received),
                                         std::move(sent));
    record[9].second = std::move(end);
    return record;
}

TEST(PeriodTally, SumsTheSessionsThatEndedInThePeriodAndFollowsTheDocument) {
    testing::MemoryDocument document;
    document.records = {
        Ended("14.12.2026 23:59:59", "1000", "1"),  // the day before the boundary
        Ended("15.12.2026", "2000", "2"),           // midnight of the boundary, stored date-only
        Ended("14.01.2027 22:00:00", "3000", "3", "120000"),
        Ended("15.01.2027 0:00:01", "4000", "4"),
        Ended("not a date", "5000", "5"),
        Ended("20.12.2026 10:00:00", "-7", "x"),  // counts that do not read add nothing
    };
    DocumentStore file(document);
    PeriodTally tally(file, document, kRussian);
    const BillingPeriod december{{2026, 12, 15}, {2027, 1, 15}};
    EXPECT_EQ(tally.StoredIn(december), (PeriodUse{5005, 240000}));
    EXPECT_EQ(tally.StoredIn({{2026, 11, 15}, {2026, 12, 15}}), (PeriodUse{1001, 60000}));

    ConnectionInfo session;
    session.endsession = "9.1.2027 12:00:00";  // how a day without leading zero reads back too
    session.received = "4294967295";
    session.send = "1";
    session.duration = "1000";
    tally.AppendSession(session);
    EXPECT_EQ(document.records.size(), 7u);
    EXPECT_EQ(tally.StoredIn(december), (PeriodUse{5005 + 4294967296ull, 241000}));

    // Cleared behind the tally's back, then one session: the sums start again from the file.
    document.records.clear();
    tally.AppendSession(session);
    EXPECT_EQ(tally.StoredIn(december), (PeriodUse{4294967296ull, 1000}));
}

using test::FakeControls;
using test::Recorder;

constexpr std::uint64_t kMB = 1024 * 1024;

class MonthAllowanceTest : public ::testing::Test {
  protected:
    MonthAllowanceTest() {
        controls.texts = {{std::string(ids::kMonthStartDay), "15"},
                          {std::string(ids::kMonthTrafficLimit), "100"},
                          {std::string(ids::kMonthTimeLimit), "0"},
                          {std::string(ids::kMonthWarnPercent), "90"},
                          {std::string(ids::kMonthFile), "month.wav"}};
        controls.checked = {{std::string(ids::kShowMessageMonth), true},
                            {std::string(ids::kPlaySoundMonth), true},
                            {std::string(ids::kHangUpMonth), true}};
        clock.now = {2026, 12, 20, 12, 0, 0};
        running.inSession = true;
    }

    std::vector<std::string> Check() {
        recorder.log.clear();
        allowance.MinuteCheck();
        return recorder.log;
    }

    FakeControls controls;
    Recorder recorder;
    test::FixedClock clock;
    LanguageCode language{"Eng"};
    RegionalFormats formats = kRussian;
    PeriodUse stored;
    RunningUse running;
    std::vector<BillingPeriod> asked;
    MonthAllowance allowance{MonthAllowancePorts{
        controls, recorder, recorder, clock, formats, language,
        [this] { recorder.log.push_back("hang up"); },
        [this](const BillingPeriod& period) {
            asked.push_back(period);
            return stored;
        },
        [this] { return running; }}};
};

TEST_F(MonthAllowanceTest, WarnsOncePerPeriodWhenTheShareIsPassed) {
    stored.bytes = 80 * kMB;
    running.use.bytes = 9 * kMB;  // 89 %
    EXPECT_TRUE(Check().empty());
    running.use.bytes = 10 * kMB;  // 90 %
    const std::vector<std::string> warned{
        "sound month.wav", "balloon 90% of the month's traffic used: 90,0 of 100 MB"};
    EXPECT_EQ(Check(), warned);
    running.use.bytes = 15 * kMB;
    EXPECT_TRUE(Check().empty());
    EXPECT_EQ(asked.back(), (BillingPeriod{{2026, 12, 15}, {2027, 1, 15}}));
    // A new period warns again; so does a changed limit.
    clock.now = {2027, 1, 15, 0, 0, 30};
    EXPECT_EQ(Check().size(), 2u);
    EXPECT_EQ(asked.back().first, (CalendarDay{2027, 1, 15}));
    controls.texts[std::string(ids::kMonthTrafficLimit)] = "105";
    EXPECT_EQ(Check().size(), 2u);
    EXPECT_TRUE(Check().empty());
}

TEST_F(MonthAllowanceTest, WhileALimitIsUsedUpEveryCheckOfASessionRunsTheActions) {
    stored.bytes = 99 * kMB;
    running.use.bytes = kMB;  // exactly the limit: nothing is left
    controls.texts[std::string(ids::kMonthTimeLimit)] = "2";
    stored.milliseconds = 3'600'000;
    running.use.milliseconds = 3'300'000;  // 1:55:00 of 2 h: past the share
    const std::vector<std::string> first{
        "sound month.wav",
        "balloon The month's traffic allowance is used up: 100,0 of 100 MB\n"
        "95% of the month's time used: 1:55:00 of 2 h",
        "hang up"};
    EXPECT_EQ(Check(), first);
    const std::vector<std::string> again{
        "sound month.wav", "balloon The month's traffic allowance is used up: 100,0 of 100 MB",
        "hang up"};
    EXPECT_EQ(Check(), again);
    // A new session over the limit is hung up at its first check.
    running.use = {};
    stored.bytes = 100 * kMB;
    EXPECT_EQ(Check(), again);
    // Only during a session; without the switches only the hang-up is left.
    running.inSession = false;
    EXPECT_TRUE(Check().empty());
    running.inSession = true;
    controls.checked[std::string(ids::kShowMessageMonth)] = false;
    controls.checked[std::string(ids::kPlaySoundMonth)] = false;
    EXPECT_EQ(Check(), std::vector<std::string>{"hang up"});
    // No limits: nothing at all.
    controls.texts[std::string(ids::kMonthTrafficLimit)] = "0";
    controls.texts[std::string(ids::kMonthTimeLimit)] = "abc";
    EXPECT_TRUE(Check().empty());
}

TEST_F(MonthAllowanceTest, StatusLineShowsTheFiguresAgainstTheLimitsInEitherLanguage) {
    stored = {812 * kMB + 400 * 1024, 45'000'000};
    running.inSession = false;
    EXPECT_EQ(allowance.StatusLine(allowance.Status()),
              "Period from 15.12.2026: 812,4 of 100 MB, 12:30:00");
    language.Set("rus");
    controls.texts[std::string(ids::kMonthTrafficLimit)] = "0";
    controls.texts[std::string(ids::kMonthTimeLimit)] = "40";
    EXPECT_EQ(allowance.StatusLine(allowance.Status()),
              "Период с 15.12.2026: 812,4 МБ, 12:30:00 из 40 ч");
}

// The running session counts while it runs and, once the tick has stored it, as a stored one:
// never twice, never not at all.
TEST(MonthAllowanceWithTheTick, TheRunningSessionIsCountedOnce) {
    test::EventLog log;
    test::FakeConnectionSource source(log);
    source.connections = {{0x51, "ISP", "modem", "Modem"}};
    source.statistics.bytesReceived = 3000;
    source.statistics.bytesSent = 500;
    source.statistics.durationMs = 90'000;
    test::FakeDisplay display(log);
    test::FakeGraphs graphs(log);
    test::FakeNotices notices(log);
    test::FixedClock clock;
    clock.now = {2026, 12, 20, 12, 0, 0};
    testing::MemoryDocument document;
    document.records = {Ended("2.12.2026 10:00:00", "10000", "0")};
    DocumentStore file(document);
    PeriodTally tally(file, document, kRussian);
    CurrentConnection current;
    ConnectionMonitor monitor(source, display, graphs, tally, notices, kRussian, clock, current);
    FakeControls controls;
    Recorder recorder;
    const LanguageCode language;
    MonthAllowance allowance{MonthAllowancePorts{
        controls, recorder, recorder, clock, kRussian, language, {},
        [&tally](const BillingPeriod& period) { return tally.StoredIn(period); },
        [&monitor] { return RunningUseOf(monitor); }}};

    EXPECT_EQ(allowance.Status().used, (PeriodUse{10000, 60000}));
    monitor.MonitorTick();
    EXPECT_EQ(allowance.Status().used, (PeriodUse{13500, 150000}));
    source.connections.clear();
    monitor.MonitorTick();
    ASSERT_EQ(document.records.size(), 2u);
    EXPECT_EQ(allowance.Status().used, (PeriodUse{13500, 150000}));
}

}  // namespace
}  // namespace orv
