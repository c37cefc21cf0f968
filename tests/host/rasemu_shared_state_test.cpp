// The emulated service's state handed from one copy to another, as the processes that share
// one service do: the copy that takes it up goes on exactly where the other one stopped.

#include <gtest/gtest.h>

#include "rasemu_fakes.h"

namespace orv::rasemu {
namespace {

using test::PlayedScenario;

constexpr std::string_view kScenario = R"(
dial-step 0.1
hangup-delay 1
device "Modem One" modem
device "ISDN One" isdn
entry "Home ISP"
entry "Office" user bob device "ISDN One"
dial "Office" busy connect
session "Home ISP"
    at 1
    drop 50 629
    rate 0 100 1000 10
)";

// Another process: the same scenario file and the same wall clock, its own memory.
std::unique_ptr<EmulatedService> TakenUp(const PlayedScenario& from) {
    auto other =
        std::make_unique<EmulatedService>(test::ParsedWithoutErrors(kScenario), from.clock);
    EXPECT_TRUE(other->RestoreState(from.service->SaveState()));
    EXPECT_EQ(other->SaveState(), from.service->SaveState());
    return other;
}

TEST(RasemuSharedState, AnotherCopyGoesOnWhereTheFirstStopped) {
    PlayedScenario first(kScenario);
    first.clock.Seconds(3);
    const ConnectionHandle home = first.Listed().at(0).handle;
    EXPECT_EQ(first.service->ApplyControl("speed 2"), "");
    EXPECT_EQ(first.service->ApplyControl("fault projection 731 for 100"), "");
    EXPECT_EQ(first.service->ApplyControl("edit \"Office\" user carol"), "");
    EXPECT_EQ(first.service->ApplyControl("dialogs cancel"), "");
    const PhonebookEntry odd{"50% ~off! \"quoted\"", "", "", "pass word", "", "DOM"};
    EXPECT_EQ(first.service->SaveEntry("", odd), kRasSuccess);
    DialParams office;
    office.entryName = "Office";
    ConnectionHandle dialing = 0;
    ASSERT_EQ(first.service->Dial(office, dialing), kRasSuccess);
    first.clock.Seconds(0.06);  // at speed 2: steps 0 and 1 of the busy attempt are due
    bool finished = false;
    EXPECT_EQ(first.service->TakeDialProgress(dialing, finished).size(), 2u);

    const auto second = TakenUp(first);
    first.clock.Seconds(1);
    // The same lines and handles, figures and time.
    std::vector<ActiveConnection> listed;
    ASSERT_EQ(second->EnumConnections(listed), kRasSuccess);
    ASSERT_EQ(listed.size(), 1u);  // the busy attempt has failed meanwhile
    EXPECT_EQ(listed[0].handle, home);
    ConnectionStatistics statistics;
    ASSERT_EQ(second->Statistics(home, statistics), kRasSuccess);
    EXPECT_EQ(statistics.durationMs, first.StatisticsOf(home).durationMs);
    EXPECT_EQ(statistics.bytesReceived, first.StatisticsOf(home).bytesReceived);
    // The dial goes on from the step it had reached; the next attempt takes the next outcome.
    const auto rest = second->TakeDialProgress(dialing, finished);
    ASSERT_EQ(rest.size(), 2u);
    EXPECT_EQ(rest.back().error, kRasLineBusy);
    EXPECT_EQ(second->HangUp(dialing), kRasSuccess);
    first.clock.Seconds(0.5);  // one scenario second: the port is free
    ConnectionHandle again = 0;
    ASSERT_EQ(second->Dial(office, again), kRasSuccess);
    EXPECT_GT(again, dialing);
    first.clock.Seconds(1);
    EXPECT_EQ(second->TakeDialProgress(again, finished).back().state, kStateConnected);
    // Faults, answers, the phonebook as edited.
    IpProjection projection;
    RasResult projectionError = 0;
    EXPECT_EQ(second->Projection(home, projection, projectionError), 731u);
    EXPECT_EQ(second->EditEntry("Office"), kRasSuccess);
    DialParams stored;
    stored.entryName = odd.name;
    bool passwordStored = false;
    ASSERT_EQ(second->EntryDialParams(stored, passwordStored), kRasSuccess);
    EXPECT_EQ(stored.password, "pass word");
    EXPECT_EQ(stored.domain, "DOM");
    stored.entryName = "Office";
    ASSERT_EQ(second->EntryDialParams(stored, passwordStored), kRasSuccess);
    EXPECT_EQ(stored.userName, "carol");
    std::optional<EmulatedService::EntryForm> form;
    ASSERT_EQ(second->CreateEntry(form), kRasSuccess);
    EXPECT_FALSE(form);  // unscripted dialogs are cancelled
}

TEST(RasemuSharedState, AStateThatIsNotOneIsRefused) {
    PlayedScenario played(kScenario);
    const std::string state = played.service->SaveState();
    EmulatedService other(test::ParsedWithoutErrors(kScenario), played.clock);
    EXPECT_FALSE(other.RestoreState(""));
    EXPECT_FALSE(other.RestoreState("rasemu-state 1\nconnection 65536 99 x 0 0 0 0 0 0 0 0\n"));
    EXPECT_FALSE(other.RestoreState(state.substr(0, state.size() / 2) + "%zz\n"));
    EXPECT_TRUE(other.RestoreState(state));
}

}  // namespace
}  // namespace orv::rasemu
