#include "monitor/monitor_tick.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/common/monitor_tick_fakes.h"

namespace orv {
namespace {

using test::FakeConnectionSource;

constexpr ConnectionHandle kHandle = 0x51;
constexpr std::uint32_t kDialing = 5;
const RegionalFormats kRussian{};  // dd.MM.yyyy, H:mm:ss, "," decimal

class MonitorTickTest : public ::testing::Test {
  protected:
    MonitorTickTest() {
        source.connections = {{kHandle, "Provider", "modem", "USR Courier"}};
        source.statistics = {.bytesSent = 512'000,
                             .bytesReceived = 1'536'000,
                             .compressionIn = 31,
                             .compressionOut = 12,
                             .linkSpeedBps = 115'200,
                             .durationMs = 10'000};
        source.projection = {"10.0.0.2", "10.0.0.1"};
    }

    std::string Field(DisplayField field) const { return display.Field(field); }

    // The events from `first` on, in order.
    test::EventLog EventsSince(std::size_t first) const {
        return {log.begin() + static_cast<std::ptrdiff_t>(first), log.end()};
    }

    void EndConnection() { source.connections.clear(); }
    // A tick one second after the one before.
    void NextTick() {
        clock.Advance(1000);
        monitor.MonitorTick();
    }

    test::EventLog log;
    FakeConnectionSource source{log};
    test::FakeDisplay display{log};
    test::FakeGraphs graphs{log};
    test::FakeSessionStore store{log};
    test::FakeNotices notices{log};
    RegionalFormats formats = kRussian;
    test::FixedClock clock;
    CurrentConnection current;
    ConnectionMonitor monitor{source, display, graphs, store, notices, formats, clock, current};
};

TEST_F(MonitorTickTest, ConnectedTickShowsEveryFigureAndStartsTheSession) {
    monitor.MonitorTick();

    EXPECT_EQ(Field(DisplayField::Name), "Provider");
    EXPECT_EQ(Field(DisplayField::DeviceType), "modem");
    EXPECT_EQ(Field(DisplayField::DeviceName), "USR Courier");
    EXPECT_EQ(Field(DisplayField::LinkSpeed), "115200");
    EXPECT_EQ(Field(DisplayField::Duration), "0:00:10");
    EXPECT_EQ(Field(DisplayField::BytesSent), "512000");
    EXPECT_EQ(Field(DisplayField::BytesReceived), "1536000");
    EXPECT_EQ(Field(DisplayField::CompressionIn), "31");
    EXPECT_EQ(Field(DisplayField::CompressionOut), "12");
    EXPECT_EQ(Field(DisplayField::ClientIp), "10.0.0.2");
    EXPECT_EQ(Field(DisplayField::ServerIp), "10.0.0.1");
    EXPECT_EQ(display.statusText, "");
    EXPECT_EQ(current.handle, kHandle);
    EXPECT_TRUE(monitor.State().InSession);
    EXPECT_EQ(monitor.State().AverageSpeedText, "200,00");  // 2000 KB in 10 s
    EXPECT_EQ(monitor.Snapshot().DurationMs, 10'000u);
    EXPECT_EQ(monitor.Snapshot().LinkSpeed, 115'200u);
    EXPECT_EQ(monitor.Snapshot().TotalBytes, 2'048'000u);
    EXPECT_EQ(log, (test::EventLog{"enum", "status", "notify connected", "statistics",
                                   "connected icon", "graphs", "projection", "session started"}));

    ASSERT_EQ(graphs.drawn.size(), 1u);
    EXPECT_EQ(graphs.drawn[0].bytesReceived, 1'536'000u);
    EXPECT_EQ(graphs.drawn[0].bytesSent, 512'000u);
    EXPECT_EQ(graphs.drawn[0].durationText, "0:00:10");
    EXPECT_EQ(graphs.drawn[0].averageSpeedText, "200,00");
    EXPECT_EQ(source.handlesAsked, (std::vector<ConnectionHandle>(3, kHandle)));
}

TEST_F(MonitorTickTest, DialingConnectionShowsItsFiguresButStartsNoSession) {
    source.state = kDialing;
    source.projectionResult = kRasProjectionNotComplete;  // no IP projection yet: no error
    monitor.MonitorTick();
    EXPECT_EQ(display.statusText, "");
    EXPECT_FALSE(monitor.State().LineConnected);
    EXPECT_EQ(Field(DisplayField::Name), "Provider");
    EXPECT_EQ(Field(DisplayField::BytesReceived), "1536000");
    EXPECT_FALSE(monitor.State().InSession);
    EXPECT_EQ(notices.connected, 0);

    // Dropped before it ever connected: nothing is stored or announced.
    EndConnection();
    monitor.MonitorTick();
    EXPECT_TRUE(store.sessions.empty());
    EXPECT_EQ(notices.disconnected, 0);

    source.connections = {{kHandle, "Provider", "modem", "USR Courier"}};
    monitor.MonitorTick();
    source.state = kStateConnected;
    monitor.MonitorTick();
    EXPECT_TRUE(monitor.State().InSession);
    EXPECT_EQ(notices.connected, 1);
}

TEST_F(MonitorTickTest, EndOfSessionStoresOneRecordAndResetsEveryField) {
    monitor.MonitorTick();
    source.statistics.durationMs = 11'000;
    monitor.MonitorTick();
    const std::size_t beforeEnd = log.size();
    EndConnection();
    monitor.MonitorTick();

    ASSERT_EQ(store.sessions.size(), 1u);
    const ConnectionInfo& session = store.sessions[0];
    EXPECT_EQ(session.name, "Provider");
    EXPECT_EQ(session.startsession, "05.03.2024 14:06:58");  // 14:07:09 less 11 s
    EXPECT_EQ(session.endsession, "05.03.2024 14:07:09");
    EXPECT_EQ(session.averagespeed, "182,00");  // 2000 KB in 11 s
    EXPECT_EQ(session.serverip, "10.0.0.1");
    EXPECT_EQ(session.clientip, "10.0.0.2");
    EXPECT_EQ(session.connspeed, "115200");
    EXPECT_EQ(session.received, "1536000");
    EXPECT_EQ(session.send, "512000");
    EXPECT_EQ(session.duration, "11000");
    EXPECT_EQ(EventsSince(beforeEnd),
              (test::EventLog{"enum", "hang up", "notify disconnected", "no-connection icon",
                              "idle graphs", "append session"}));

    const std::map<DisplayField, std::string> noConnection = {
        {DisplayField::Name, "No active connections"},
        {DisplayField::LinkSpeed, "0"},
        {DisplayField::Duration, "0"},
        {DisplayField::DeviceType, "Unknown"},
        {DisplayField::DeviceName, "Unknown"},
        {DisplayField::ServerIp, "0.0.0.0"},
        {DisplayField::ClientIp, "0.0.0.0"},
        {DisplayField::BytesSent, "0"},
        {DisplayField::BytesReceived, "0"},
        {DisplayField::CompressionOut, "0"},
        {DisplayField::CompressionIn, "0"},
    };
    EXPECT_EQ(display.fields, noConnection);
    EXPECT_EQ(monitor.State().TrayInfoText, "No active Connections");
    EXPECT_EQ(monitor.State().AverageSpeedText, "0");
    EXPECT_FALSE(monitor.State().InSession);
    ASSERT_EQ(graphs.idle.size(), 1u);
    EXPECT_EQ(graphs.idle[0], std::make_pair(FormatDurationText(0, formats), std::string("0")));
    // The minute check still sees the last figures.
    EXPECT_EQ(monitor.Snapshot().DurationMs, 11'000u);
    EXPECT_EQ(monitor.Snapshot().TotalBytes, 2'048'000u);

    // Later ticks without a connection store nothing more, but write the values again.
    display.fields[DisplayField::Name] = "stale";
    monitor.MonitorTick();
    EXPECT_EQ(store.sessions.size(), 1u);
    EXPECT_EQ(notices.disconnected, 1);
    EXPECT_EQ(display.fields, noConnection);
}

TEST_F(MonitorTickTest, SessionUpAtStartAndLongerThanADayKeepsItsTrueStart) {
    const std::uint32_t duration = ((25 * 60 + 1) * 60 + 5) * 1000;  // 25:01:05
    source.statistics.durationMs = duration;
    monitor.MonitorTick();
    EXPECT_EQ(notices.connected, 1);
    EXPECT_EQ(Field(DisplayField::Duration), "25:01:05");  // a length, not a time of day

    EndConnection();
    monitor.MonitorTick();
    ASSERT_EQ(store.sessions.size(), 1u);
    EXPECT_EQ(store.sessions[0].startsession, "04.03.2024 13:06:04");
    EXPECT_EQ(store.sessions[0].duration, std::to_string(duration));
}

TEST_F(MonitorTickTest, EveryNewSessionIsAnnouncedAndMeasuredFromZero) {
    monitor.MonitorTick();
    EndConnection();
    monitor.MonitorTick();

    // The next session's counters start low again; its speeds are measured against its own
    // first reading, not against the figures of the one before.
    source.connections = {{kHandle + 1, "Other", "isdn", "ISDN"}};
    source.statistics.bytesReceived = 10'240;
    source.statistics.bytesSent = 2'048;
    display.flags.curSpeed = true;
    NextTick();
    EXPECT_EQ(notices.connected, 2);
    source.statistics.bytesReceived += 2'048;
    NextTick();
    const std::string& tray = monitor.State().TrayInfoText;
    EXPECT_NE(tray.find("Текущая скорость приема(KBpS): 2,00\r"), std::string::npos) << tray;
    EXPECT_NE(tray.find("Текущая скорость передачи(KBpS): 0,00\r"), std::string::npos) << tray;
    EXPECT_NE(tray.find("Текущая скорость (KBpS): 2,00\r"), std::string::npos) << tray;
}

TEST_F(MonitorTickTest, AnotherConnectionListedFirstEndsTheFollowedSessionOnce) {
    display.flags.curSpeed = true;
    monitor.MonitorTick();
    source.statistics.durationMs = 11'000;
    monitor.MonitorTick();

    // Line A drops while line B stays up: the list is never empty.
    source.connections = {{0x77, "Second", "isdn", "ISDN"}};
    source.statistics = {.bytesSent = 2'048, .bytesReceived = 10'240, .durationMs = 4'000};
    monitor.MonitorTick();
    ASSERT_EQ(store.sessions.size(), 1u);
    EXPECT_EQ(store.sessions[0].name, "Provider");
    EXPECT_EQ(store.sessions[0].received, "1536000");
    EXPECT_EQ(store.sessions[0].duration, "11000");
    EXPECT_EQ(store.sessions[0].averagespeed, "182,00");
    EXPECT_EQ(notices.disconnected, 1);
    EXPECT_EQ(notices.connected, 2);
    EXPECT_TRUE(monitor.State().InSession);
    EXPECT_EQ(Field(DisplayField::Name), "Second");
    // B's first reading has no speed, not 4 GiB less A's counters.
    const std::string& tray = monitor.State().TrayInfoText;
    EXPECT_NE(tray.find("Текущая скорость (KBpS): 0,00\r"), std::string::npos) << tray;

    monitor.MonitorTick();
    EXPECT_EQ(store.sessions.size(), 1u);
    EndConnection();
    monitor.MonitorTick();
    ASSERT_EQ(store.sessions.size(), 2u);
    EXPECT_EQ(store.sessions[1].name, "Second");
    EXPECT_EQ(store.sessions[1].received, "10240");
    EXPECT_EQ(store.sessions[1].duration, "4000");
    EXPECT_EQ(notices.disconnected, 2);
}

TEST_F(MonitorTickTest, RedialWithinOneTickStoresTheHungUpSessionAndWaitsForTheNewOne) {
    monitor.MonitorTick();
    source.connections = {{0x78, "Provider", "modem", "USR Courier"}};
    source.state = kDialing;
    source.statistics = {};
    monitor.MonitorTick();
    ASSERT_EQ(store.sessions.size(), 1u);
    EXPECT_EQ(store.sessions[0].duration, "10000");
    EXPECT_FALSE(monitor.State().InSession);

    EndConnection();  // the new dial fails: nothing more to store
    monitor.MonitorTick();
    EXPECT_EQ(store.sessions.size(), 1u);
    EXPECT_EQ(notices.disconnected, 1);
}

TEST_F(MonitorTickTest, ErrorTextIsTakenBackWhenItsCallSucceedsAgain) {
    source.projectionResult = 731;  // no IP projection while the line is set up
    monitor.MonitorTick();
    monitor.MonitorTick();
    EXPECT_EQ(display.statusText, FakeConnectionSource::ErrorText(731));
    source.projectionResult = kRasSuccess;
    monitor.MonitorTick();
    EXPECT_EQ(display.statusText, "");

    // Another call's success does not take it back; a text written since by others stays.
    source.statisticsResult = 668;
    monitor.MonitorTick();
    source.statisticsResult = kRasSuccess;
    source.projectionResult = 731;
    monitor.MonitorTick();
    EXPECT_EQ(display.statusText, FakeConnectionSource::ErrorText(731));
    display.SetStatusText("Прервано пользователем...");
    source.projectionResult = kRasSuccess;
    monitor.MonitorTick();
    EXPECT_EQ(display.statusText, "Прервано пользователем...");

    // A failure about a line that is gone goes with it.
    source.statusResult = kRasInvalidHandle;
    monitor.MonitorTick();
    EndConnection();
    monitor.MonitorTick();
    EXPECT_EQ(display.statusText, "");
}

TEST_F(MonitorTickTest, FailedEnumerationClearsTheHandleWhileAnEmptyListKeepsIt) {
    monitor.MonitorTick();
    const int writes = display.fieldWrites;
    source.enumResult = 610;
    monitor.MonitorTick();
    EXPECT_EQ(current.handle, 0u);
    EXPECT_EQ(display.statusText, "");
    EXPECT_EQ(display.fieldWrites, writes);
    EXPECT_TRUE(monitor.State().InSession);
    EXPECT_EQ(monitor.State().TrayInfoText, "No active Connections");
    EXPECT_FALSE(monitor.State().LineConnected);
    EXPECT_TRUE(store.sessions.empty());

    source.enumResult = kRasSuccess;
    EndConnection();
    current.handle = 0x99;  // as the dialer leaves it while it dials
    monitor.MonitorTick();
    EXPECT_EQ(current.handle, 0x99u);
    EXPECT_EQ(store.sessions.size(), 1u);
}

TEST_F(MonitorTickTest, TicksDuringTheStoringOfASessionRunButStoreItOnce) {
    monitor.MonitorTick();
    // A message box of the store runs further ticks: they show the line as it is now.
    store.duringNextAppend = [this] {
        source.connections = {{kHandle, "Meanwhile", "modem", "USR Courier"}};
        monitor.MonitorTick();
        EXPECT_EQ(Field(DisplayField::Name), "Meanwhile");
        EndConnection();
        monitor.MonitorTick();
    };
    EndConnection();
    monitor.MonitorTick();
    ASSERT_EQ(store.sessions.size(), 2u);
    EXPECT_EQ(store.sessions[0].name, "Provider");
    EXPECT_EQ(store.sessions[1].name, "Meanwhile");
    EXPECT_EQ(notices.disconnected, 2);

    source.connections = {{kHandle, "Next", "modem", "USR Courier"}};
    monitor.MonitorTick();  // the next timer tick runs again
    EXPECT_EQ(Field(DisplayField::Name), "Next");
}

TEST_F(MonitorTickTest, TheRunningSessionIsNotedAtItsStartAndGivenAsItWouldBeStored) {
    EXPECT_FALSE(monitor.Running());
    source.state = kDialing;
    monitor.MonitorTick();
    EXPECT_EQ(store.started, 0);
    source.state = kStateConnected;
    monitor.MonitorTick();
    EXPECT_EQ(log.back(), "session started");  // the first connected tick, after its figures
    monitor.MonitorTick();
    EXPECT_EQ(store.started, 1);

    const std::optional<RunningSession> running = monitor.Running();
    ASSERT_TRUE(running);
    EXPECT_EQ(running->noted, clock.now);
    EXPECT_EQ(running->deviceName, "USR Courier");
    EXPECT_EQ(running->record.startsession, "05.03.2024 14:06:59");
    EXPECT_EQ(running->record.received, "1536000");
    EndConnection();
    monitor.MonitorTick();
    EXPECT_FALSE(monitor.Running());
}

// A session an earlier run noted, whose line is still up, is not announced again and is stored
// once; a line that drops before the first tick is stored with the figures read at start.
TEST_F(MonitorTickTest, AContinuedSessionIsStoredOnceAtItsEnd) {
    RunningSession noted;
    noted.record = {"Provider", "",       "",           "7,50", "10.0.0.1",
                    "10.0.0.2", "115200", "6000000000", "500",  "30000"};
    const LiveLine line{kHandle, "Provider",    "modem", "USR Courier",
                        95'000,  1'705'032'704, 900,     clock.now};
    monitor.ContinueSession(noted, line);
    ASSERT_TRUE(monitor.Running());
    EXPECT_EQ(monitor.Running()->record.duration, "95000");
    EXPECT_EQ(monitor.Running()->record.serverip, "10.0.0.1");
    // 6 000 000 000 noted and 1 705 032 704 read are one wrap apart: the same count.
    EXPECT_EQ(static_cast<std::uint64_t>(monitor.Snapshot().BytesReceived) & 0xFFFFFFFF,
              1'705'032'704u);

    EndConnection();
    monitor.MonitorTick();
    ASSERT_EQ(store.sessions.size(), 1u);
    EXPECT_EQ(store.sessions[0].duration, "95000");
    EXPECT_EQ(store.sessions[0].averagespeed, "7,50");
    EXPECT_EQ(notices.connected, 0);

    source.connections = {{kHandle, "Provider", "modem", "USR Courier"}};
    monitor.ContinueSession(noted, line);
    monitor.MonitorTick();
    EXPECT_EQ(notices.connected, 0);
    EXPECT_EQ(store.started, 0);
    EndConnection();
    monitor.MonitorTick();
    ASSERT_EQ(store.sessions.size(), 2u);
    EXPECT_EQ(store.sessions[1].duration, "10000");  // the service's figure at the last tick
}

TEST_F(MonitorTickTest, NullHandleEndsTheTickAfterTheNames) {
    source.connections[0].handle = 0;
    monitor.MonitorTick();
    EXPECT_EQ(Field(DisplayField::Name), "Provider");
    EXPECT_EQ(log, test::EventLog{"enum"});
}

TEST_F(MonitorTickTest, FailedStateCallShowsTheErrorAndEndsTheTick) {
    source.statusResult = kRasInvalidHandle;
    monitor.MonitorTick();
    EXPECT_EQ(display.statusText, FakeConnectionSource::ErrorText(kRasInvalidHandle));
    EXPECT_EQ(source.errorBufferSizes, std::vector<std::size_t>{257});
    EXPECT_EQ(log, (test::EventLog{"enum", "status", "status text"}));
    EXPECT_FALSE(monitor.State().InSession);
    EXPECT_EQ(Field(DisplayField::BytesReceived), "");
}

TEST_F(MonitorTickTest, FailedStatisticsCallZeroesTheFiguresAndEndsTheTick) {
    monitor.MonitorTick();
    source.statisticsResult = 668;
    const std::size_t before = log.size();
    monitor.MonitorTick();

    for (const DisplayField field :
         {DisplayField::BytesSent, DisplayField::BytesReceived, DisplayField::CompressionIn,
          DisplayField::CompressionOut, DisplayField::LinkSpeed, DisplayField::Duration}) {
        EXPECT_EQ(Field(field), "0") << static_cast<int>(field);
    }
    EXPECT_EQ(Field(DisplayField::ClientIp), "10.0.0.2");
    EXPECT_EQ(display.statusText, FakeConnectionSource::ErrorText(668));
    EXPECT_EQ(EventsSince(before), (test::EventLog{"enum", "status", "statistics", "status text"}));
    EXPECT_EQ(monitor.Snapshot().DurationMs, 10'000u);  // the minute check keeps the last read
    EXPECT_TRUE(monitor.State().InSession);

    // The record takes all its figures from the last good reading, not the zeroed fields.
    EndConnection();
    monitor.MonitorTick();
    ASSERT_EQ(store.sessions.size(), 1u);
    EXPECT_EQ(store.sessions[0].received, "1536000");
    EXPECT_EQ(store.sessions[0].send, "512000");
    EXPECT_EQ(store.sessions[0].connspeed, "115200");
    EXPECT_EQ(store.sessions[0].startsession, "05.03.2024 14:06:59");
    EXPECT_EQ(store.sessions[0].duration, "10000");
}

TEST_F(MonitorTickTest, EndedLinesAreHungUpAndNotFollowedWhileReleased) {
    // Dropped: no longer listed, but its handle lives until it is hung up.
    monitor.MonitorTick();
    EXPECT_TRUE(monitor.State().LineConnected);
    EndConnection();
    monitor.MonitorTick();
    EXPECT_EQ(source.hungUp, std::vector<ConnectionHandle>{kHandle});
    EXPECT_EQ(store.sessions.size(), 1u);
    EXPECT_FALSE(monitor.State().LineConnected);

    // Listed as disconnected: hung up, its session ended on the same tick.
    source.releaseChecks = 1;
    source.connections = {{0x52, "Provider", "modem", "USR Courier"}};
    monitor.MonitorTick();
    source.state = kStateDisconnected;
    monitor.MonitorTick();
    EXPECT_EQ(source.hungUp, (std::vector<ConnectionHandle>{kHandle, 0x52}));
    ASSERT_EQ(store.sessions.size(), 2u);
    EXPECT_EQ(Field(DisplayField::Name), "No active connections");
    EXPECT_EQ(current.handle, 0u);

    // Still listed while the service releases it: neither followed nor hung up again.
    const std::size_t before = log.size();
    monitor.MonitorTick();
    EXPECT_EQ(
        std::count(log.begin() + static_cast<std::ptrdiff_t>(before), log.end(), "statistics"), 0);
    EndConnection();
    monitor.MonitorTick();  // released now: forgotten
    EXPECT_TRUE(current.hungUp.empty());
    EXPECT_EQ(source.hungUp.size(), 2u);
    EXPECT_EQ(store.sessions.size(), 2u);

    // A dial that fails is the dialer's to hang up.
    source.state = kDialing;
    source.connections = {{0x61, "Provider", "modem", "USR Courier"}};
    current.dialing = 0x61;
    monitor.MonitorTick();
    EndConnection();
    monitor.MonitorTick();
    EXPECT_EQ(source.hungUp.size(), 2u);
}

TEST_F(MonitorTickTest, RecordHoldsOnlyFiguresReadOfItsOwnSession) {
    // The labels' design texts before any tick.
    display.SetField(DisplayField::ServerIp, "255.255.255.255");
    display.SetField(DisplayField::ClientIp, "255.255.255.255");
    source.statisticsResult = 668;
    monitor.MonitorTick();
    EndConnection();
    monitor.MonitorTick();
    // A later session whose readings all fail keeps nothing of the first one either.
    source.statisticsResult = kRasSuccess;
    source.connections = {{kHandle, "Provider", "modem", "USR Courier"}};
    monitor.MonitorTick();
    EndConnection();
    monitor.MonitorTick();
    source.statisticsResult = 668;
    source.connections = {{0x62, "Provider", "modem", "USR Courier"}};
    monitor.MonitorTick();
    EndConnection();
    monitor.MonitorTick();
    ASSERT_EQ(store.sessions.size(), 3u);
    for (const std::size_t failed : {0u, 2u}) {
        const ConnectionInfo& session = store.sessions[failed];
        EXPECT_EQ(session.serverip, "");
        EXPECT_EQ(session.clientip, "");
        EXPECT_EQ(session.received, "0");
        EXPECT_EQ(session.duration, "0");
    }
    EXPECT_EQ(store.sessions[1].serverip, "10.0.0.1");
}

TEST_F(MonitorTickTest, SpeedsAreBytesSinceTheLastReadingOverTheTimeBetween) {
    display.flags.curSpeed = true;
    const auto speeds = [this] {
        const std::string& tray = monitor.State().TrayInfoText;
        const auto line = [&tray](std::string_view label) {
            const std::size_t at = tray.find(label);
            return at == std::string::npos
                       ? std::string("?")
                       : tray.substr(at + label.size(), tray.find('\r', at) - at - label.size());
        };
        return line("приема(KBpS): ") + " " + line("передачи(KBpS): ") + " " +
               line("скорость (KBpS): ");
    };
    // Started in mid-session: the first reading has nothing to measure against.
    monitor.MonitorTick();
    EXPECT_EQ(speeds(), "0,00 0,00 0,00");
    EXPECT_EQ(graphs.drawn.back().receivedPerSecond, 0);
    source.statistics.bytesReceived += 3 * 1024;
    source.statistics.bytesSent += 1024;
    NextTick();
    EXPECT_EQ(speeds(), "3,00 1,00 4,00");
    EXPECT_EQ(graphs.drawn.back().receivedPerSecond, 3 * 1024);
    EXPECT_EQ(graphs.drawn.back().sentPerSecond, 1024);
    // A skipped tick: the same rate over two seconds is not doubled.
    clock.Advance(1000);
    source.statistics.bytesReceived += 6 * 1024;
    NextTick();
    EXPECT_EQ(speeds(), "3,00 0,00 3,00");
    EXPECT_EQ(graphs.drawn.back().receivedPerSecond, 3 * 1024);
    // A reading that failed between two good ones: measured over both seconds.
    source.statisticsResult = 668;
    NextTick();
    source.statisticsResult = kRasSuccess;
    source.statistics.bytesSent += 4 * 1024;
    NextTick();
    EXPECT_EQ(speeds(), "0,00 2,00 2,00");
}

TEST_F(MonitorTickTest, FailedProjectionEmptiesTheAddressesAfterTheGraphs) {
    display.flags = {.clientIp = true, .serverIp = true};
    source.projectionResult = 731;
    monitor.MonitorTick();
    EXPECT_EQ(Field(DisplayField::ClientIp), "");
    EXPECT_EQ(Field(DisplayField::ServerIp), "");
    EXPECT_EQ(display.statusText, FakeConnectionSource::ErrorText(731));
    EXPECT_EQ(monitor.State().TrayInfoText.find("IP адрес"), std::string::npos);
    EXPECT_EQ(*(log.end() - 2), "status text");  // the last step of the tick itself
    EXPECT_EQ(graphs.drawn.size(), 1u);
}

TEST_F(MonitorTickTest, ErrorWithoutServiceTextStillShowsItsCode) {
    source.errorTextsKnown = false;
    source.statusResult = kRasNoAnswer;
    monitor.MonitorTick();
    EXPECT_EQ(display.statusText, "Ошибка 678");
}

TEST_F(MonitorTickTest, SeveralConnectionsAllFollowTheFirstListed) {
    source.connections.push_back({0x77, "Second", "vpn", "WAN Miniport"});
    monitor.MonitorTick();
    EXPECT_EQ(current.handle, kHandle);
    EXPECT_EQ(Field(DisplayField::Name), "Provider");
    EXPECT_EQ(Field(DisplayField::DeviceName), "USR Courier");
    EXPECT_EQ(source.handlesAsked, (std::vector<ConnectionHandle>(3, kHandle)));
}

TEST_F(MonitorTickTest, TrayTextWithEveryOptionOffAndOn) {
    monitor.MonitorTick();
    EXPECT_EQ(monitor.State().TrayInfoText,
              "Подключен\r\r"
              "Принято и Отправлено: 2 000\r\r"
              "Текущая скорость приема(KBpS): 0,00\r"
              "Текущая скорость передачи(KBpS): 0,00\r"
              "\r");

    // The options are read at every tick; speeds now compare with the tick before.
    display.flags = {true, true, true, true, true, true, true, true};
    source.statistics.bytesReceived += 1'024;
    source.statistics.durationMs = 20'000;
    NextTick();
    const std::string& tray = monitor.State().TrayInfoText;
    EXPECT_EQ(tray,
              "Подключен\r\r"
              "Принято: 1537024\r"
              "Отправлено: 512000\r"
              "Принято и Отправлено: 2 001\r\r"
              "Скорость подключения: 115200\r"
              "Время соединения: 0:00:20\r\r"
              "Текущая скорость приема(KBpS): 1,00\r"
              "Текущая скорость передачи(KBpS): 0,00\r"
              "Текущая скорость (KBpS): 1,00\r"
              "Средняя скорость (KBpS): 100,00\r"
              "\r"
              "IP адрес клиента: 10.0.0.2\r"
              "IP адрес сервера: 10.0.0.1\r");
    EXPECT_EQ(std::count(tray.begin(), tray.end(), '\n'), 0);
}

TEST_F(MonitorTickTest, TotalSpeedCountsFromTheLastTickEvenWhenItsLineIsHidden) {
    monitor.MonitorTick();
    source.statistics.bytesSent += 4 * 1024;
    NextTick();  // the current-speed line is off, its reference moves all the same
    display.flags.curSpeed = true;
    source.statistics.bytesSent += 3 * 1024;
    NextTick();
    EXPECT_NE(monitor.State().TrayInfoText.find("Текущая скорость (KBpS): 3,00\r"),
              std::string::npos);
}

TEST_F(MonitorTickTest, AverageSpeedIsZeroBeforeAnyTimeHasPassed) {
    source.statistics.durationMs = 0;
    display.flags.averageSpeed = true;
    monitor.MonitorTick();
    EXPECT_EQ(monitor.State().AverageSpeedText, "0");
    EXPECT_NE(monitor.State().TrayInfoText.find("Средняя скорость (KBpS): 0\r"), std::string::npos);
}

TEST_F(MonitorTickTest, WrappedCountersAreCountedPast4GiBAndANewLineCountsAfresh) {
    display.flags.bytesRecv = true;
    display.flags.curSpeed = true;
    source.statistics = {
        .bytesSent = 0xFFFF'F000, .bytesReceived = 0xFFFF'F000, .durationMs = 1'000'000};
    monitor.MonitorTick();
    // One wrap: 4 KB up to 4 GiB and 2 KB after it; the sent counter is 2 KB short of it.
    source.statistics.bytesReceived = 0x800;
    source.statistics.bytesSent = 0xFFFF'F800;
    NextTick();
    EXPECT_EQ(Field(DisplayField::BytesReceived), "4294969344");
    EXPECT_EQ(monitor.Snapshot().TotalBytes, 1ull << 33);
    std::string tray = monitor.State().TrayInfoText;
    EXPECT_NE(tray.find("Принято: 4294969344\r"), std::string::npos) << tray;
    EXPECT_NE(tray.find("Принято и Отправлено: 8388 608\r"), std::string::npos) << tray;
    EXPECT_NE(tray.find("Текущая скорость приема(KBpS): 6,00\r"), std::string::npos) << tray;
    EXPECT_NE(tray.find("Текущая скорость (KBpS): 8,00\r"), std::string::npos) << tray;
    EXPECT_EQ(graphs.drawn.back().bytesReceived, 4'294'969'344u);

    // Several wraps: four ticks of 3 GiB each bring the counter back to where it stood.
    for (int tick = 0; tick < 4; ++tick) {
        source.statistics.bytesReceived += 0xC000'0000u;
        NextTick();
    }
    EXPECT_EQ(source.statistics.bytesReceived, 0x800u);
    EXPECT_EQ(Field(DisplayField::BytesReceived), "17179871232");  // 16 GiB + 2 KB
    EndConnection();
    NextTick();
    ASSERT_EQ(store.sessions.size(), 1u);
    EXPECT_EQ(store.sessions[0].received, "17179871232");
    EXPECT_EQ(store.sessions[0].send, "4294965248");

    // A new line, even under the same handle, starts below the last count: no wrap, its own.
    source.connections = {{kHandle, "Provider", "modem", "USR Courier"}};
    source.statistics.bytesReceived = 100;
    NextTick();
    EXPECT_EQ(Field(DisplayField::BytesReceived), "100");
    source.connections = {{kHandle + 1, "Other", "isdn", "ISDN"}};
    source.statistics.bytesReceived = 50;
    NextTick();
    EXPECT_EQ(Field(DisplayField::BytesReceived), "50");
}

}  // namespace
}  // namespace orv
