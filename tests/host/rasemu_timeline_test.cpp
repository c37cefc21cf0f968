// The emulated service's timeline: connections that appear and drop on time, their states and
// counters, the speed factor, injected faults and the commands of the control file.

#include <gtest/gtest.h>

#include <filesystem>

#include "rasemu_fakes.h"
#include "tools/rasemu/control_file.h"

namespace orv::rasemu {
namespace {

using test::PlayedScenario;

constexpr std::string_view kDialingSession = R"(
device "Modem One" modem
entry "Home ISP" device "Modem One"
session "Home ISP"
    at 2
    states 0 5 8192 every 1
    drop 40
    link 49333
    compression 38 12
    client 10.0.0.2
    server 10.0.0.1
    rate 0 10 1000 500
    rate 10 20 0 0
    rate 20 30 200 100
)";

TEST(RasemuTimeline, ConnectionAppearsDialsConnectsAndDropsOnTime) {
    PlayedScenario played(kDialingSession);
    played.clock.Seconds(1.9);
    EXPECT_TRUE(played.Listed().empty());

    played.clock.Seconds(0.1);  // second 2: it appears, still opening the port
    const auto listed = played.Listed();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].entryName, "Home ISP");
    EXPECT_EQ(listed[0].deviceName, "Modem One");
    EXPECT_EQ(listed[0].deviceType, "modem");
    const ConnectionHandle handle = listed[0].handle;
    EXPECT_NE(handle, 0u);
    EXPECT_EQ(played.StateOf(handle), 0u);
    // Not connected yet: no figures, no addresses.
    EXPECT_EQ(played.StatisticsOf(handle).linkSpeedBps, 0u);
    IpProjection projection;
    RasResult projectionError = 0;
    EXPECT_NE(played.service->Projection(handle, projection, projectionError), kRasSuccess);

    played.clock.Seconds(1);
    EXPECT_EQ(played.StateOf(handle), 5u);
    played.clock.Seconds(1);  // second 4: connected
    EXPECT_EQ(played.StateOf(handle), kStateConnected);
    EXPECT_EQ(played.service->Projection(handle, projection, projectionError), kRasSuccess);
    EXPECT_EQ(projectionError, kRasSuccess);
    EXPECT_EQ(projection.clientIp, "10.0.0.2");
    EXPECT_EQ(projection.serverIp, "10.0.0.1");

    played.clock.Seconds(37.9);  // second 41.9: still there
    EXPECT_EQ(played.Listed().size(), 1u);
    const std::uint32_t receivedAtTheEnd = played.StatisticsOf(handle).bytesReceived;
    played.clock.Seconds(0.1);  // second 42: 40 s after it appeared it is gone, for good
    EXPECT_TRUE(played.Listed().empty());
    // Its handle stays until someone hangs it up: disconnected, with the reason, and the
    // figures it ended with.
    played.clock.Seconds(100);
    const DialProgress status = played.StatusOf(handle);
    EXPECT_EQ(status.state, kStateDisconnected);
    EXPECT_EQ(status.error, 628u);
    EXPECT_EQ(played.StatisticsOf(handle).bytesReceived, receivedAtTheEnd);
    EXPECT_EQ(played.service->HandlesNotHungUp(),
              (std::vector<EmulatedService::UnreleasedHandle>{{handle, "Home ISP", 628}}));
    EXPECT_EQ(played.service->HangUp(handle), kRasSuccess);
    EXPECT_TRUE(played.service->HandlesNotHungUp().empty());
    EXPECT_TRUE(played.Listed().empty());
    played.clock.Seconds(2);
    EXPECT_EQ(played.StatusResult(handle), kRasInvalidHandle);
    ConnectionStatistics statistics;
    EXPECT_EQ(played.service->Statistics(handle, statistics), kRasInvalidHandle);
}

TEST(RasemuTimeline, CountersFollowTheRatesThroughBurstsAndQuietStretches) {
    PlayedScenario played(kDialingSession);
    played.clock.Seconds(4);  // connected at second 4
    const ConnectionHandle handle = played.Listed().at(0).handle;
    const Millis connectedAt = played.clock.now;
    const struct {
        std::uint32_t afterMs, received, sent;
    } expected[] = {
        {0, 0, 0},
        {2'500, 2500, 1250},
        {10'000, 10000, 5000},
        {15'000, 10000, 5000},
        {25'000, 11000, 5500},
        {29'999, 11999, 5999},
        {35'000, 12000, 6000},  // past the last rate: quiet
    };
    for (const auto& point : expected) {
        played.clock.now = connectedAt + point.afterMs;
        const ConnectionStatistics statistics = played.StatisticsOf(handle);
        EXPECT_EQ(statistics.bytesReceived, point.received) << "after " << point.afterMs << " ms";
        EXPECT_EQ(statistics.bytesSent, point.sent) << "after " << point.afterMs << " ms";
        EXPECT_EQ(statistics.durationMs, point.afterMs);
        EXPECT_EQ(statistics.linkSpeedBps, 49333u);
        EXPECT_EQ(statistics.compressionIn, 38u);
        EXPECT_EQ(statistics.compressionOut, 12u);
    }
}

TEST(RasemuTimeline, CountersWrapAt32Bits) {
    PlayedScenario played(R"(
session "Big"
    at 0
    bytes 4294967000 0
    rate 0 100 100 0
)");
    const ConnectionHandle handle = played.Listed().at(0).handle;
    played.clock.Seconds(2);
    EXPECT_EQ(played.StatisticsOf(handle).bytesReceived, 4294967200u);
    played.clock.Seconds(2);
    EXPECT_EQ(played.StatisticsOf(handle).bytesReceived, 104u);
}

TEST(RasemuTimeline, SpeedFactorPlaysTwoHoursInTwoMinutes) {
    PlayedScenario played(R"(
speed 60
session "Long"
    at 0
    drop 7201
    rate 0 7200 1000 10
)");
    const ConnectionHandle handle = played.Listed().at(0).handle;
    played.clock.Seconds(120);
    const ConnectionStatistics statistics = played.StatisticsOf(handle);
    EXPECT_EQ(statistics.durationMs, 7'200'000u);
    EXPECT_EQ(statistics.bytesReceived, 7'200'000u);
    EXPECT_EQ(statistics.bytesSent, 72'000u);
    played.clock.Seconds(1.1);  // 66 scenario seconds later it has dropped
    EXPECT_TRUE(played.Listed().empty());
}

TEST(RasemuTimeline, LoopBringsTheSessionBackWithANewHandle) {
    PlayedScenario played(R"(
loop 10
session "Home"
    at 1
    drop 6
    rate 0 100 10 0
)");
    played.clock.Seconds(1);
    const ConnectionHandle first = played.Listed().at(0).handle;
    played.clock.Seconds(5);
    EXPECT_EQ(played.StatisticsOf(first).bytesReceived, 50u);
    played.clock.Seconds(1);  // second 7: dropped
    EXPECT_TRUE(played.Listed().empty());
    played.clock.Seconds(4);  // second 11: the next round
    const auto again = played.Listed();
    ASSERT_EQ(again.size(), 1u);
    EXPECT_NE(again[0].handle, first);
    EXPECT_EQ(played.StatisticsOf(again[0].handle).bytesReceived, 0u);
    // Polled too rarely to see a round: a round already over is not shown late.
    played.clock.Seconds(16.5);  // second 27.5: the round of 21-27 has passed
    EXPECT_TRUE(played.Listed().empty());
}

TEST(RasemuTimeline, ListsSeveralConnectionsInTheOrderTheyAppeared) {
    PlayedScenario played(R"(
session "A"
    at 0
session "B"
    at 0
session "C"
    at 1
)");
    played.clock.Seconds(1);
    const auto listed = played.Listed();
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0].entryName, "A");
    EXPECT_EQ(listed[2].entryName, "C");
    EXPECT_NE(listed[0].handle, listed[1].handle);
    EXPECT_NE(listed[1].handle, listed[2].handle);
}

TEST(RasemuTimeline, FaultsHitTheirCallOnlyWhileTheyLast) {
    PlayedScenario played(R"(
fault statistics 631 at 12
fault enum 603 from 20 to 22
fault errortext 87 from 30
session "Home"
    at 0
)");
    const ConnectionHandle handle = played.Listed().at(0).handle;
    ConnectionStatistics statistics;
    std::vector<ActiveConnection> listed;
    std::string text;
    played.clock.Seconds(11.9);
    EXPECT_EQ(played.service->Statistics(handle, statistics), kRasSuccess);
    played.clock.Seconds(0.1);
    EXPECT_EQ(played.service->Statistics(handle, statistics), 631u);
    EXPECT_EQ(played.service->EnumConnections(listed), kRasSuccess);
    played.clock.Seconds(1);
    EXPECT_EQ(played.service->Statistics(handle, statistics), kRasSuccess);
    played.clock.Seconds(7);
    EXPECT_EQ(played.service->EnumConnections(listed), 603u);
    played.clock.Seconds(2);
    EXPECT_EQ(played.service->EnumConnections(listed), kRasSuccess);
    EXPECT_EQ(played.service->ErrorText(691, text), kRasSuccess);
    EXPECT_EQ(text, "Access denied because username and/or password is invalid on the domain.");
    played.clock.Seconds(8);
    EXPECT_EQ(played.service->ErrorText(691, text), 87u);
}

TEST(RasemuTimeline, ErrorTextsOnlyForTheServicesOwnCodes) {
    const std::string longText(180, 'x');
    PlayedScenario played("error-text 720 \"" + longText + "\"\n");
    std::string text;
    ASSERT_EQ(played.service->ErrorText(619, text), kRasSuccess);
    EXPECT_EQ(text, "The port was disconnected.");
    ASSERT_EQ(played.service->ErrorText(999, text), kRasSuccess);
    EXPECT_EQ(text, "Remote access error 999.");
    ASSERT_EQ(played.service->ErrorText(720, text), kRasSuccess);
    EXPECT_EQ(text, longText);
    // Windows' own codes and HRESULTs (E_INVALIDARG) are not the service's to word.
    for (const RasResult foreign : {6u, 87u, 1000u, 0x80070057u}) {
        EXPECT_EQ(played.service->ErrorText(foreign, text), kRasInvalidParameter) << foreign;
    }
}

TEST(RasemuControl, StartsAndDropsSessionsNow) {
    PlayedScenario played(R"(
entry "Office"
session "Office"
    link 31200
    rate 0 100 100 0
)");
    played.clock.Seconds(50);
    EXPECT_TRUE(played.Listed().empty());  // a session without "at" waits to be started

    EXPECT_EQ(played.service->ApplyControl("start \"Office\""), "");
    auto listed = played.Listed();
    ASSERT_EQ(listed.size(), 1u);
    const ConnectionHandle office = listed[0].handle;
    EXPECT_EQ(played.StateOf(office), kStateConnected);
    played.clock.Seconds(3);
    EXPECT_EQ(played.StatisticsOf(office).bytesReceived, 300u);
    EXPECT_EQ(played.StatisticsOf(office).linkSpeedBps, 31200u);

    EXPECT_EQ(played.service->ApplyControl("start \"Unscripted\"  # a made-up name"), "");
    ASSERT_EQ(played.Listed().size(), 2u);
    EXPECT_EQ(played.service->ApplyControl("drop \"Office\""), "");
    listed = played.Listed();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].entryName, "Unscripted");
    EXPECT_EQ(played.service->ApplyControl("drop"), "");
    EXPECT_TRUE(played.Listed().empty());
    EXPECT_NE(played.service->ApplyControl("drop"), "");  // nothing left to drop
}

TEST(RasemuControl, FaultsForAWhileAndClear) {
    PlayedScenario played("session \"Home\"\n    at 0\n");
    std::vector<ActiveConnection> listed;
    EXPECT_EQ(played.service->ApplyControl("fault enum 668 for 2"), "");
    EXPECT_EQ(played.service->EnumConnections(listed), 668u);
    played.clock.Seconds(2);
    EXPECT_EQ(played.service->EnumConnections(listed), kRasSuccess);
    EXPECT_EQ(played.service->ApplyControl("fault status busy"), "");
    played.clock.Seconds(1000);
    const ConnectionHandle handle = played.Listed().at(0).handle;
    EXPECT_EQ(played.StatusResult(handle), kRasLineBusy);
    EXPECT_EQ(played.service->ApplyControl("clear"), "");
    EXPECT_EQ(played.StatusResult(handle), kRasSuccess);
}

TEST(RasemuControl, SpeedChangesGoOnFromTheCurrentTime) {
    PlayedScenario played("session \"Home\"\n    at 0\n");
    const ConnectionHandle handle = played.Listed().at(0).handle;
    played.clock.Seconds(10);
    EXPECT_EQ(played.service->ApplyControl("speed 30"), "");
    EXPECT_EQ(played.StatisticsOf(handle).durationMs, 10'000u);
    played.clock.Seconds(2);
    EXPECT_EQ(played.StatisticsOf(handle).durationMs, 70'000u);
}

TEST(RasemuControl, TheFastestSpeedPlaysCenturiesWithoutLeavingTheClocksRange) {
    PlayedScenario played("session \"Home\"\n    at 0\n    rate 0 1e10 4294967295 1\n");
    const ConnectionHandle handle = played.Listed().at(0).handle;
    EXPECT_EQ(played.service->ApplyControl("speed 1000000"), "");
    played.clock.Seconds(1e7);  // four months of real time: more than 300,000 scenario years
    EXPECT_EQ(played.StateOf(handle), kStateConnected);
    EXPECT_EQ(played.StatisticsOf(handle).bytesSent, 1e10 - 4294967296.0 * 2);
}

TEST(RasemuControl, RefusesWhatItDoesNotUnderstand) {
    PlayedScenario played("");
    EXPECT_NE(played.service->ApplyControl("launch rockets"), "");
    EXPECT_NE(played.service->ApplyControl("fault enum"), "");
    EXPECT_NE(played.service->ApplyControl("fault enum 603 for ever"), "");
    EXPECT_NE(played.service->ApplyControl("speed 0"), "");
    EXPECT_NE(played.service->ApplyControl("speed 1e300"), "");
    EXPECT_NE(played.service->ApplyControl("start \"unclosed"), "");
    EXPECT_EQ(played.service->ApplyControl("   # only a comment"), "");
    EXPECT_TRUE(played.Listed().empty());
}

}  // namespace
}  // namespace orv::rasemu

namespace orv::rasemu {
namespace {

std::string DemoScenarioText() {
    const auto root = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
    const auto text = ReadWholeFile((root / "tools" / "scenarios" / "demo.scn").string());
    EXPECT_TRUE(text) << "demo.scn not found from " << root;
    return text.value_or("");
}

TEST(RasemuDemo, ConnectsMovesTrafficDropsAndComesBack) {
    test::PlayedScenario played(DemoScenarioText());
    std::vector<std::string> entries;
    ASSERT_EQ(played.service->EnumEntries(entries), kRasSuccess);
    EXPECT_EQ(entries.size(), 2u);
    std::vector<DeviceInfo> devices;
    ASSERT_EQ(played.service->EnumDevices(devices), kRasSuccess);
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].type, "modem");

    EXPECT_TRUE(played.Listed().empty());
    played.clock.Seconds(3);
    const ConnectionHandle first = played.Listed().at(0).handle;
    EXPECT_NE(played.StateOf(first), kStateConnected);  // dialing
    played.clock.Seconds(3);
    EXPECT_EQ(played.StateOf(first), kStateConnected);

    // Second by second: bursts and quiet stretches, never running backwards.
    std::uint32_t previous = 0;
    int busySeconds = 0;
    int quietSeconds = 0;
    for (int second = 0; second < 119; ++second) {
        played.clock.Seconds(1);
        const std::uint32_t received = played.StatisticsOf(first).bytesReceived;
        ASSERT_GE(received, previous);
        (received - previous > 2000 ? busySeconds : quietSeconds) += 1;
        previous = received;
    }
    EXPECT_GT(busySeconds, 30);
    EXPECT_GT(quietSeconds, 30);
    EXPECT_GT(previous, 300'000u);

    played.clock.Seconds(2);  // second 127: the line has dropped
    EXPECT_TRUE(played.Listed().empty());
    played.clock.Seconds(26);  // second 153: back again
    const auto again = played.Listed();
    ASSERT_EQ(again.size(), 1u);
    EXPECT_NE(again[0].handle, first);
    EXPECT_EQ(again[0].entryName, "Home ISP");
}

}  // namespace
}  // namespace orv::rasemu
