// Reading scenario files: the lines the emulated service understands, and the mistakes it
// reports with their line numbers instead of playing something else.

#include <gtest/gtest.h>

#include "tools/rasemu/line_tokens.h"
#include "tools/rasemu/scenario.h"

namespace orv::rasemu {
namespace {

TEST(RasemuScenario, SplitsWordsWithQuotesAndComments) {
    EXPECT_EQ(*SplitWords(R"(entry "Home ISP" user alice # the "main" line)"),
              (std::vector<std::string>{"entry", "Home ISP", "user", "alice"}));
    EXPECT_EQ(*SplitWords(R"(a"b c"d "" )"), (std::vector<std::string>{"a", "b c", "d", ""}));
    EXPECT_EQ(*SplitWords(R"(entry "a # b")"), (std::vector<std::string>{"entry", "a # b"}));
    EXPECT_FALSE(SplitWords(R"(entry "Home)"));
}

TEST(RasemuScenario, ReadsEveryKindOfLine) {
    const ScenarioParse parsed = ParseScenario(R"(# comment
speed 2.5
loop 90
dial-step 0.05
hangup-delay 0.5
error-text 720 "A text of the service's own"
device "Modem One" modem
entry "Home ISP" phone 555 user alice password "open sesame" device "Modem One" domain WORK
create "Added" phone 777
rename "Home ISP" "Home"
dial "Home ISP" busy noanswer 680 connect
dial * denied
fault statistics 631 at 12
fault enum 603 from 5 to 7.5
fault errortext 87
session "Home ISP"
    at 3
    drop 60 629
    projection-error 733
    states 0 5 8192 every 0.5
	device "Modem One"
    link 49333
    compression 38 12
    client 10.0.0.2
    server 10.0.0.1
    bytes 4294967000 10
    rate 0 10 5200.5 300
session "Office"
)");
    ASSERT_TRUE(parsed.errors.empty()) << parsed.errors.front();
    const Scenario& s = parsed.scenario;
    EXPECT_EQ(s.speed, 2.5);
    EXPECT_EQ(s.loopMs, 90'000);
    EXPECT_EQ(s.dialStepMs, 50);
    EXPECT_EQ(s.hangupDelayMs, 500);
    EXPECT_EQ(s.errorTexts.at(0),
              (std::pair<RasResult, std::string>{720, "A text of the service's own"}));
    ASSERT_EQ(s.devices.size(), 1u);
    EXPECT_EQ(s.devices[0].type, "modem");
    ASSERT_EQ(s.entries.size(), 1u);
    EXPECT_EQ(s.entries[0].password, "open sesame");
    EXPECT_EQ(s.entries[0].deviceName, "Modem One");
    EXPECT_EQ(s.entries[0].domain, "WORK");
    ASSERT_EQ(s.createAnswers.size(), 1u);
    EXPECT_EQ(s.createAnswers[0].phoneNumber, "777");
    EXPECT_EQ(s.editAnswers.at(0).target, "Home ISP");
    EXPECT_EQ(s.editAnswers.at(0).name, "Home");
    ASSERT_EQ(s.dials.size(), 2u);
    EXPECT_EQ(s.dials[0].outcomes, (std::vector<RasResult>{676, 678, 680, 0}));
    EXPECT_EQ(s.dials[1].target, "*");
    ASSERT_EQ(s.faults.size(), 3u);
    EXPECT_EQ(s.faults[0].call, ServiceCall::Statistics);
    EXPECT_EQ(s.faults[0].fromMs, 12'000);
    EXPECT_EQ(s.faults[0].toMs, 13'000);
    EXPECT_EQ(s.faults[1].toMs, 7'500);
    EXPECT_EQ(s.faults[2].fromMs, 0);
    EXPECT_EQ(s.faults[2].toMs, kNever);

    ASSERT_EQ(s.sessions.size(), 2u);
    const SessionScript& home = s.sessions[0];
    EXPECT_EQ(home.appearAtMs, 3'000);
    EXPECT_EQ(home.dropAfterMs, 60'000);
    EXPECT_EQ(home.dropError, 629u);
    EXPECT_EQ(home.projectionError, 733u);
    EXPECT_EQ(home.states, (std::vector<std::uint32_t>{0, 5, 8192}));
    EXPECT_EQ(home.stateStepMs, 500);
    EXPECT_EQ(home.deviceName, "Modem One");
    EXPECT_EQ(home.linkSpeedBps, 49333u);
    EXPECT_EQ(home.compressionIn, 38u);
    EXPECT_EQ(home.compressionOut, 12u);
    EXPECT_EQ(home.serverIp, "10.0.0.1");
    EXPECT_EQ(home.startReceived, 4294967000u);
    ASSERT_EQ(home.rates.size(), 1u);
    EXPECT_EQ(home.rates[0].receivedPerSecond, 5200.5);
    // A session with nothing under it comes up connected at once when dialed or started.
    EXPECT_FALSE(s.sessions[1].appearAtMs);
    EXPECT_EQ(s.sessions[1].dropError, 628u);
    EXPECT_EQ(s.sessions[1].states, (std::vector<std::uint32_t>{kStateConnected}));
}

TEST(RasemuScenario, ReportsMistakesByLineAndKeepsTheRest) {
    const ScenarioParse parsed = ParseScenario(R"(speed 0
    at 3
entry "Home
entry "Ok"
fault statistics 0
fault statistics 631 from 9 to 4
fault nosuchcall 631
dial "Ok" sometimes
session "Ok"
    rate 10 5 100 100
    client 1234.1234.1234.1234
    states
    colour blue
loop -3
)");
    ASSERT_EQ(parsed.errors.size(), 12u);
    EXPECT_EQ(parsed.errors[0].rfind("line 1: ", 0), 0u) << parsed.errors[0];
    EXPECT_EQ(parsed.errors[1].rfind("line 2: ", 0), 0u) << parsed.errors[1];
    EXPECT_EQ(parsed.errors[2].rfind("line 3: ", 0), 0u) << parsed.errors[2];
    EXPECT_EQ(parsed.errors[11].rfind("line 14: ", 0), 0u) << parsed.errors[11];
    EXPECT_EQ(parsed.scenario.speed, 1);
    ASSERT_EQ(parsed.scenario.entries.size(), 1u);
    EXPECT_EQ(parsed.scenario.entries[0].name, "Ok");
    EXPECT_TRUE(parsed.scenario.faults.empty());
    EXPECT_TRUE(parsed.scenario.sessions.at(0).rates.empty());
    EXPECT_EQ(parsed.scenario.loopMs, 0);
}

TEST(RasemuScenario, ReadsTimesAndOutcomes) {
    EXPECT_EQ(ParseSeconds("1.25"), 1250);
    EXPECT_EQ(ParseSeconds("0"), 0);
    EXPECT_FALSE(ParseSeconds("-1"));
    EXPECT_FALSE(ParseSeconds("1e300"));
    EXPECT_FALSE(ParseSeconds("nan"));
    EXPECT_FALSE(ParseSeconds("12s"));
    EXPECT_EQ(ParseDialOutcome("connect"), kRasSuccess);
    EXPECT_EQ(ParseDialOutcome("denied"), kRasAuthenticationFailure);
    EXPECT_EQ(ParseErrorCode("busy"), kRasLineBusy);
    EXPECT_FALSE(ParseErrorCode("connect"));
    EXPECT_FALSE(ParseErrorCode("0"));
    EXPECT_EQ(ParseErrorCode("0x80070057"), 0x80070057u);  // E_INVALIDARG
    EXPECT_FALSE(ParseErrorCode("0x"));
    EXPECT_FALSE(ParseSpeed("0"));
    EXPECT_EQ(ParseSpeed("60"), 60);
}

TEST(RasemuScenario, RefusesFiguresThatWouldOverflowTheClockOrTheCounters) {
    const ScenarioParse parsed = ParseScenario(R"(speed 1e300
session "A"
    rate 0 10 1e308 0
    rate 0 10 0 4294967296
    rate 0 10 4294967295 1
)");
    ASSERT_EQ(parsed.errors.size(), 3u);
    EXPECT_EQ(parsed.errors[0].rfind("line 1: ", 0), 0u) << parsed.errors[0];
    EXPECT_EQ(parsed.errors[1].rfind("line 3: ", 0), 0u) << parsed.errors[1];
    EXPECT_EQ(parsed.errors[2].rfind("line 4: ", 0), 0u) << parsed.errors[2];
    EXPECT_EQ(parsed.scenario.speed, 1);
    EXPECT_EQ(parsed.scenario.sessions.at(0).rates.size(), 1u);
    EXPECT_EQ(ParseSpeed("1000000"), 1e6);
    EXPECT_FALSE(ParseSpeed("1000001"));
}

TEST(RasemuScenario, ReadsTheAnswersOfTheEntryDialogs) {
    const ScenarioParse parsed = ParseScenario(R"(create "New" phone 5 user u password p device "M"
cancel create
edit "Old" name "Renamed" phone 7
cancel edit "Office"
cancel edit
dialogs cancel
create
edit "Old" colour blue
cancel everything
dialogs maybe
)");
    ASSERT_EQ(parsed.errors.size(), 4u);
    EXPECT_EQ(parsed.errors[0].rfind("line 7: ", 0), 0u) << parsed.errors[0];
    EXPECT_EQ(parsed.errors[3].rfind("line 10: ", 0), 0u) << parsed.errors[3];
    const Scenario& s = parsed.scenario;
    ASSERT_EQ(s.createAnswers.size(), 2u);
    EXPECT_EQ(s.createAnswers[0].name, "New");
    EXPECT_EQ(s.createAnswers[0].deviceName, "M");
    EXPECT_FALSE(s.createAnswers[0].cancelled);
    EXPECT_TRUE(s.createAnswers[1].cancelled);
    ASSERT_EQ(s.editAnswers.size(), 3u);
    EXPECT_EQ(s.editAnswers[0].name, "Renamed");
    EXPECT_FALSE(s.editAnswers[0].userName);
    EXPECT_EQ(s.editAnswers[1].target, "Office");
    EXPECT_TRUE(s.editAnswers[2].cancelled);
    EXPECT_EQ(s.editAnswers[2].target, "");
    EXPECT_FALSE(s.askUnscripted);
}

}  // namespace
}  // namespace orv::rasemu
