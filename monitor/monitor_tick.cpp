#include "monitor/monitor_tick.h"

#include <charconv>
#include <utility>

#include "monitor/service_error_text.h"

namespace orv {
namespace {

constexpr double kCounterRangeKB = 4294967296.0 / 1024;  // a 32-bit byte counter, in KB

// The average speed while none has been worked out.
constexpr std::string_view kNoAverageSpeed = "0";

constexpr std::string_view kNoConnectionName = "No active connections";

// Every field the tick writes, with the text it shows while no connection is listed.
constexpr std::pair<DisplayField, std::string_view> kNoConnectionFields[] = {
    {DisplayField::Name, kNoConnectionName}, {DisplayField::LinkSpeed, "0"},
    {DisplayField::Duration, "0"},           {DisplayField::DeviceType, "Unknown"},
    {DisplayField::DeviceName, "Unknown"},   {DisplayField::ServerIp, "0.0.0.0"},
    {DisplayField::ClientIp, "0.0.0.0"},     {DisplayField::BytesSent, "0"},
    {DisplayField::BytesReceived, "0"},      {DisplayField::CompressionOut, "0"},
    {DisplayField::CompressionIn, "0"},
};

// The figures a failed statistics call leaves at "0".
constexpr DisplayField kStatisticsFields[] = {
    DisplayField::BytesSent,      DisplayField::BytesReceived, DisplayField::CompressionIn,
    DisplayField::CompressionOut, DisplayField::LinkSpeed,     DisplayField::Duration,
};

// A count the record holds as decimal digits; 0 when it holds none.
std::uint64_t RecordCount(const std::string& text) {
    std::uint64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// The smallest count from `noted` on that a 32-bit counter reading `live` can stand for: the
// service's counter wraps past 4 GiB, the noted count does not.
std::uint64_t ContinuedCount(std::uint64_t noted, std::uint64_t live) {
    const std::uint64_t count = (noted & ~std::uint64_t{0xFFFFFFFF}) | (live & 0xFFFFFFFF);
    return count < noted ? count + (std::uint64_t{1} << 32) : count;
}

// Kilobytes a 32-bit counter moved since the tick at which it stood at previousKB × 1024. A
// counter below its previous value has passed 4 GiB and started again from 0.
double KilobytesSince(std::uint32_t counter, double previousKB) {
    const double step = counter / 1024.0 - previousKB;
    return step < 0 ? step + kCounterRangeKB : step;
}

}  // namespace

std::optional<LiveLine> ReadFirstLine(ConnectionReader& source, const Clock& clock) {
    std::vector<ActiveConnection> connections;
    if (source.EnumConnections(connections) != kRasSuccess || connections.empty() ||
        connections.front().handle == 0) {
        return std::nullopt;
    }
    const ActiveConnection& first = connections.front();
    std::uint32_t state = 0;
    ConnectionStatistics statistics;
    if (source.GetConnectStatus(first.handle, state) != kRasSuccess || state != kStateConnected ||
        source.GetConnectionStatistics(first.handle, statistics) != kRasSuccess) {
        return std::nullopt;
    }
    return LiveLine{
        first.handle,          first.entryName,          first.deviceType,     first.deviceName,
        statistics.durationMs, statistics.bytesReceived, statistics.bytesSent, clock.Now()};
}

ConnectionMonitor::ConnectionMonitor(ConnectionReader& source, MonitorDisplay& display,
                                     TrafficGraphs& graphs, SessionStore& sessions,
                                     ConnectionNotices& notices, const RegionalFormats& formats,
                                     const Clock& clock, CurrentConnection& current)
    : source_(source),
      display_(display),
      graphs_(graphs),
      sessions_(sessions),
      notices_(notices),
      formats_(formats),
      clock_(clock),
      current_(current) {}

void ConnectionMonitor::MonitorTick() {
    // A message box raised inside a tick (a statistics file that cannot be saved) runs its own
    // message loop, which keeps delivering Timer1: such a nested tick is skipped, or it would
    // store the ending session a second time.
    if (ticking_) {
        return;
    }
    ticking_ = true;
    Tick();
    ticking_ = false;
    // A session that ended in this tick is stored after it: the store may show a message box
    // whose own loop runs further ticks, which keep the figures current and must find the
    // session already ended.
    if (endedSession_) {
        const ConnectionInfo session = std::move(*endedSession_);
        endedSession_.reset();
        sessions_.AppendSession(session);
    }
    if (std::exchange(sessionStarted_, false) && state_.InSession) {
        sessions_.SessionStarted();
    }
}

std::optional<RunningSession> ConnectionMonitor::Running() const {
    if (!state_.InSession) {
        return std::nullopt;
    }
    const LocalDateTime now = clock_.Now();
    return RunningSession{SessionRecord(now), snapshot_.DeviceType, snapshot_.DeviceName, now};
}

void ConnectionMonitor::ContinueSession(const RunningSession& noted, const LiveLine& line) {
    const ConnectionInfo& record = noted.record;
    snapshot_.EntryName = line.entryName;
    snapshot_.DeviceType = line.deviceType;
    snapshot_.DeviceName = line.deviceName;
    snapshot_.State = kStateConnected;
    snapshot_.BytesReceived = static_cast<decltype(snapshot_.BytesReceived)>(
        ContinuedCount(RecordCount(record.received), line.bytesReceived));
    snapshot_.BytesSent = static_cast<decltype(snapshot_.BytesSent)>(
        ContinuedCount(RecordCount(record.send), line.bytesSent));
    snapshot_.LinkSpeed = static_cast<std::uint32_t>(RecordCount(record.connspeed));
    snapshot_.DurationMs = line.durationMs;
    snapshot_.TotalBytes = static_cast<std::int32_t>(snapshot_.BytesReceived + snapshot_.BytesSent);
    snapshot_.ServerIp = record.serverip;
    snapshot_.ClientIp = record.clientip;
    // The record of a line that drops before the first tick comes from these fields.
    display_.SetField(DisplayField::Name, line.entryName);
    display_.SetField(DisplayField::ServerIp, record.serverip);
    display_.SetField(DisplayField::ClientIp, record.clientip);
    state_.AverageSpeedText = record.averagespeed;
    state_.InSession = true;
    state_.ConnectNoticePending = false;
    followed_ = line.handle;
    current_.handle = line.handle;
}

void ConnectionMonitor::Tick() {
    state_.TrayInfoText = TrayHeading();
    connections_.clear();
    if (source_.EnumConnections(connections_) != kRasSuccess) {
        current_.handle = 0;
        return;
    }
    if (connections_.empty()) {
        ShowNoConnection();
        return;
    }
    // With several connections, everything follows the first one listed.
    const ActiveConnection& followed = connections_.front();
    FollowConnection(followed.handle);
    ShowConnectionNames(followed);
    current_.handle = followed.handle;
    if (current_.handle == 0 || !ReadConnectionState() || !ReadStatistics()) {
        return;
    }
    ShowStatistics();
    const DisplayFlags flags = display_.ReadDisplayFlags();
    AppendTrafficToTray(flags);
    graphs_.DrawTrafficGraphs(
        {snapshot_.BytesReceived, snapshot_.BytesSent, tray_.duration, state_.AverageSpeedText});
    ShowAddresses(flags);
}

// Another connection listed first (the followed line dropped while another stays up, or a dial
// replaced it within one tick) ends the session of the old one: the list was never empty in
// between, so no tick would store it, and its counters must not serve as the new one's base.
void ConnectionMonitor::FollowConnection(ConnectionHandle handle) {
    if (handle == 0 || handle == followed_) {
        return;
    }
    if (state_.InSession) {
        EndSession();
    }
    followed_ = handle;
    state_.PreviousReceivedKB = 0;
    state_.PreviousSentKB = 0;
    state_.PreviousTotalKB = 0;
}

// Stores the session from the fields as its last tick left them and announces its end.
void ConnectionMonitor::EndSession() {
    StoreEndedSession();
    state_.InSession = false;
    state_.AverageSpeedText = std::string(kNoAverageSpeed);
}

void ConnectionMonitor::ShowConnectionNames(const ActiveConnection& connection) {
    snapshot_.EntryName = connection.entryName;
    snapshot_.DeviceType = connection.deviceType;
    snapshot_.DeviceName = connection.deviceName;
    display_.SetField(DisplayField::Name, snapshot_.EntryName);
    display_.SetField(DisplayField::DeviceType, snapshot_.DeviceType);
    display_.SetField(DisplayField::DeviceName, snapshot_.DeviceName);
}

bool ConnectionMonitor::ReadConnectionState() {
    std::uint32_t connectionState = 0;
    const RasResult result = source_.GetConnectStatus(current_.handle, connectionState);
    if (result != kRasSuccess) {
        ShowServiceError(FailedCall::Status, result);
        return false;
    }
    CallSucceeded(FailedCall::Status);
    snapshot_.State = connectionState;
    // A connection still dialing goes on to show its figures but starts no session.
    if (connectionState == kStateConnected) {
        if (state_.ConnectNoticePending) {
            notices_.NotifyConnected();
            state_.ConnectNoticePending = false;
        }
        sessionStarted_ = sessionStarted_ || !state_.InSession;
        state_.InSession = true;
    }
    return true;
}

bool ConnectionMonitor::ReadStatistics() {
    ConnectionStatistics statistics;
    const RasResult result = source_.GetConnectionStatistics(current_.handle, statistics);
    if (result != kRasSuccess) {
        for (const DisplayField field : kStatisticsFields) {
            display_.SetField(field, "0");
        }
        ShowServiceError(FailedCall::Statistics, result);
        return false;
    }
    CallSucceeded(FailedCall::Statistics);
    snapshot_.BytesSent = statistics.bytesSent;
    snapshot_.BytesReceived = statistics.bytesReceived;
    snapshot_.CompressionIn = statistics.compressionIn;
    snapshot_.CompressionOut = statistics.compressionOut;
    snapshot_.LinkSpeed = statistics.linkSpeedBps;
    snapshot_.DurationMs = statistics.durationMs;
    snapshot_.TotalBytes =
        static_cast<std::int32_t>(statistics.bytesSent + statistics.bytesReceived);
    return true;
}

void ConnectionMonitor::ShowStatistics() {
    tray_.bytesSent = std::to_string(snapshot_.BytesSent);
    tray_.bytesReceived = std::to_string(snapshot_.BytesReceived);
    tray_.linkSpeed = std::to_string(snapshot_.LinkSpeed);
    tray_.duration = FormatDurationText(snapshot_.DurationMs, formats_);
    display_.SetField(DisplayField::BytesSent, tray_.bytesSent);
    display_.SetField(DisplayField::BytesReceived, tray_.bytesReceived);
    display_.SetField(DisplayField::CompressionIn, std::to_string(snapshot_.CompressionIn));
    display_.SetField(DisplayField::CompressionOut, std::to_string(snapshot_.CompressionOut));
    display_.SetField(DisplayField::LinkSpeed, tray_.linkSpeed);
    display_.SetField(DisplayField::Duration, tray_.duration);
    display_.ShowStateIcon(true);
}

void ConnectionMonitor::AppendTrafficToTray(const DisplayFlags& flags) {
    // The total as an unsigned sum: the signed TotalBytes would turn negative past 2 GiB.
    const std::uint32_t totalBytes = snapshot_.BytesSent + snapshot_.BytesReceived;
    const double totalKB = totalBytes / 1024.0;
    tray_.totalKilobytes = FormatTrafficKilobytes(totalBytes);
    tray_.receiveSpeed =
        FormatSpeed(KilobytesSince(snapshot_.BytesReceived, state_.PreviousReceivedKB), formats_);
    tray_.sendSpeed =
        FormatSpeed(KilobytesSince(snapshot_.BytesSent, state_.PreviousSentKB), formats_);
    tray_.totalSpeed = FormatSpeed(KilobytesSince(totalBytes, state_.PreviousTotalKB), formats_);
    state_.PreviousReceivedKB = snapshot_.BytesReceived / 1024.0;
    state_.PreviousSentKB = snapshot_.BytesSent / 1024.0;
    state_.PreviousTotalKB = totalKB;
    state_.AverageSpeedText =
        snapshot_.DurationMs == 0
            ? "0"
            : FormatSpeed(totalKB / (snapshot_.DurationMs / 1000.0), formats_);
    tray_.averageSpeed = state_.AverageSpeedText;
    AppendTrayFigures(state_.TrayInfoText, tray_, flags);
}

void ConnectionMonitor::ShowAddresses(const DisplayFlags& flags) {
    IpProjection projection;
    const RasResult result = source_.GetProjectionInfo(current_.handle, projection);
    if (result != kRasSuccess) {
        snapshot_.ClientIp.clear();
        snapshot_.ServerIp.clear();
    } else {
        snapshot_.ClientIp = projection.clientIp;
        snapshot_.ServerIp = projection.serverIp;
    }
    display_.SetField(DisplayField::ClientIp, snapshot_.ClientIp);
    display_.SetField(DisplayField::ServerIp, snapshot_.ServerIp);
    if (result != kRasSuccess) {
        ShowServiceError(FailedCall::Projection, result);
        return;
    }
    CallSucceeded(FailedCall::Projection);
    AppendTrayAddresses(state_.TrayInfoText, snapshot_.ClientIp, snapshot_.ServerIp, flags);
}

void ConnectionMonitor::ShowNoConnection() {
    if (state_.InSession) {
        EndSession();
    }
    state_.AverageSpeedText = std::string(kNoAverageSpeed);
    // The next connection's first tick measures its speeds from zero, not against the figures
    // of the one that ended.
    followed_ = 0;
    state_.PreviousReceivedKB = 0;
    state_.PreviousSentKB = 0;
    state_.PreviousTotalKB = 0;
    // A failure of a call about a connection that is gone no longer holds.
    ClearOwnStatusText();
    for (const auto& [field, text] : kNoConnectionFields) {
        display_.SetField(field, text);
    }
    state_.TrayInfoText = kTrayNoConnectionText;
    display_.ShowStateIcon(false);
    graphs_.DrawIdleGraphs(display_.Field(DisplayField::Duration), state_.AverageSpeedText);
}

void ConnectionMonitor::StoreEndedSession() {
    endedSession_ = SessionRecord(clock_.Now());
    notices_.NotifyDisconnected();
    // Every session of the run is announced, not only the first.
    state_.ConnectNoticePending = true;
}

// The session from the fields as the last tick left them, ending at `end`.
ConnectionInfo ConnectionMonitor::SessionRecord(const LocalDateTime& end) const {
    // The start comes from the duration in milliseconds, not from the duration field, which a
    // failed statistics call sets to "0".
    const LocalDateTime start = AddMilliseconds(end, -std::int64_t{snapshot_.DurationMs});
    ConnectionInfo session;
    session.name = display_.Field(DisplayField::Name);
    session.startsession = FormatLocalDateTime(start, formats_);
    session.endsession = FormatLocalDateTime(end, formats_);
    session.averagespeed = state_.AverageSpeedText;
    session.serverip = display_.Field(DisplayField::ServerIp);
    session.clientip = display_.Field(DisplayField::ClientIp);
    // Counters, link speed and duration all come from the last good reading: a failed last
    // tick zeroes the fields, and a record of "0" bytes over minutes would be a false one.
    session.connspeed = std::to_string(snapshot_.LinkSpeed);
    session.received = std::to_string(snapshot_.BytesReceived);
    session.send = std::to_string(snapshot_.BytesSent);
    session.duration = std::to_string(snapshot_.DurationMs);
    return session;
}

void ConnectionMonitor::ShowServiceError(FailedCall call, RasResult code) {
    statusWritten_ = ServiceErrorText(source_, code, kMonitorErrorTextChars);
    statusWrittenBy_ = call;
    display_.SetStatusText(statusWritten_);
}

// The error text of a call is taken back as soon as that call succeeds again ("The IP projection
// is not complete." while a line is set up), unless another text has replaced it meanwhile.
void ConnectionMonitor::CallSucceeded(FailedCall call) {
    if (statusWrittenBy_ == call) {
        ClearOwnStatusText();
    }
}

void ConnectionMonitor::ClearOwnStatusText() {
    if (statusWrittenBy_ == FailedCall::None) {
        return;
    }
    statusWrittenBy_ = FailedCall::None;
    if (display_.StatusText() == statusWritten_) {
        display_.SetStatusText("");
    }
}

}  // namespace orv
