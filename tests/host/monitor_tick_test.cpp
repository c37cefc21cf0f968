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
    EXPECT_EQ(monitor.Snapshot().TotalBytes, 2'048'000);
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
    source.projectionResult = 731;  // no IP projection yet
    monitor.MonitorTick();
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
              (test::EventLog{"enum", "notify disconnected", "no-connection icon", "idle graphs",
                              "append session"}));

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
    EXPECT_EQ(graphs.idle[0], std::make_pair(std::string("0"), std::string("0")));
    // The minute check still sees the last figures.
    EXPECT_EQ(monitor.Snapshot().DurationMs, 11'000u);
    EXPECT_EQ(monitor.Snapshot().TotalBytes, 2'048'000);

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

    // The next session's counters start low again; its first speeds are its own traffic.
    source.connections = {{kHandle + 1, "Other", "isdn", "ISDN"}};
    source.statistics.bytesReceived = 10'240;
    source.statistics.bytesSent = 2'048;
    display.flags.curSpeed = true;
    monitor.MonitorTick();
    EXPECT_EQ(notices.connected, 2);
    const std::string& tray = monitor.State().TrayInfoText;
    EXPECT_NE(tray.find("Текущая скорость приема(KBpS): 10,00\r"), std::string::npos) << tray;
    EXPECT_NE(tray.find("Текущая скорость передачи(KBpS): 2,00\r"), std::string::npos) << tray;
    EXPECT_NE(tray.find("Текущая скорость (KBpS): 12,00\r"), std::string::npos) << tray;
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
    // B's first speeds are its own traffic, not 4 GiB less A's counters.
    const std::string& tray = monitor.State().TrayInfoText;
    EXPECT_NE(tray.find("Текущая скорость (KBpS): 12,00\r"), std::string::npos) << tray;

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
    EXPECT_EQ(monitor.State().TrayInfoText, "Подключен\r\r");
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
              "Текущая скорость приема(KBpS): 1,50E+03\r"
              "Текущая скорость передачи(KBpS): 500,00\r"
              "\r");

    // The options are read at every tick; speeds now compare with the tick before.
    display.flags = {true, true, true, true, true, true, true, true};
    source.statistics.bytesReceived += 1'024;
    source.statistics.durationMs = 20'000;
    monitor.MonitorTick();
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
    monitor.MonitorTick();  // the current-speed line is off, its reference moves all the same
    display.flags.curSpeed = true;
    source.statistics.bytesSent += 3 * 1024;
    monitor.MonitorTick();
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

TEST_F(MonitorTickTest, CountersPastTheirRangeKeepTotalsAndSpeedsTrue) {
    display.flags.curSpeed = true;
    display.flags.averageSpeed = true;
    source.statistics = {.bytesSent = 0, .bytesReceived = 0xFFFF'F000, .durationMs = 1'000'000};
    monitor.MonitorTick();
    // The signed total that the minute check reads wraps; the texts show the true figures.
    EXPECT_EQ(monitor.Snapshot().TotalBytes, -4096);
    std::string tray = monitor.State().TrayInfoText;
    EXPECT_NE(tray.find("Принято и Отправлено: 4194 300\r\r"), std::string::npos) << tray;
    EXPECT_NE(tray.find("Средняя скорость (KBpS): 4,19E+03\r"), std::string::npos) << tray;
    EXPECT_EQ(tray.find('-'), std::string::npos) << tray;

    source.statistics.bytesReceived = 0x800;  // past 4 GiB: 4 KB up to it, 2 KB after
    monitor.MonitorTick();
    tray = monitor.State().TrayInfoText;
    EXPECT_NE(tray.find("Текущая скорость приема(KBpS): 6,00\r"), std::string::npos) << tray;
    EXPECT_NE(tray.find("Текущая скорость (KBpS): 6,00\r"), std::string::npos) << tray;
}

}  // namespace
}  // namespace orv
