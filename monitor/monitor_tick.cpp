#include "monitor/monitor_tick.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "monitor/service_error_text.h"

namespace orv {
namespace {

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

// Kilobytes a session's count moved since the tick at which it stood at previousKB × 1024.
double KilobytesSince(std::uint64_t bytes, double previousKB) {
    return static_cast<double>(bytes) / 1024.0 - previousKB;
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
                                     const Clock& clock, CurrentConnection& current,
                                     const LanguageCode* language)
    : source_(source),
      display_(display),
      graphs_(graphs),
      sessions_(sessions),
      notices_(notices),
      formats_(formats),
      clock_(clock),
      current_(current),
      language_(language) {}

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
    // The noted counts go on from where they stood: the service's counters may have wrapped
    // since, so each continues as the tick widens a reading of the same line.
    snapshot_.BytesReceived = WidenCounter(RecordCount(record.received),
                                           static_cast<std::uint32_t>(line.bytesReceived));
    snapshot_.BytesSent =
        WidenCounter(RecordCount(record.send), static_cast<std::uint32_t>(line.bytesSent));
    countedLine_ = line.handle;
    snapshot_.LinkSpeed = static_cast<std::uint32_t>(RecordCount(record.connspeed));
    snapshot_.DurationMs = line.durationMs;
    snapshot_.TotalBytes = snapshot_.BytesReceived + snapshot_.BytesSent;
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
    state_.TrayInfoText = TrayHeading(Russian());
    state_.LineConnected = false;
    connections_.clear();
    if (source_.EnumConnections(connections_) != kRasSuccess) {
        current_.handle = 0;
        // Nothing is known of any line: the tray does not claim one.
        state_.TrayInfoText = kTrayNoConnectionText;
        return;
    }
    SkipHungUpLines();
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
    graphs_.DrawTrafficGraphs({snapshot_.BytesReceived, snapshot_.BytesSent, tray_.duration,
                               state_.AverageSpeedText, averageSpeedMBText_, receivedPerSecond_,
                               sentPerSecond_});
    ShowAddresses(flags);
}

// Lines the program hung up stay listed until the service has released their ports: they are
// over for the monitor. A handle is forgotten once the service no longer knows it (6), so a new
// line that gets the same handle later is followed again.
void ConnectionMonitor::SkipHungUpLines() {
    if (current_.hungUp.empty()) {
        return;
    }
    std::erase_if(current_.hungUp, [this](ConnectionHandle handle) {
        std::uint32_t state = 0;
        return source_.GetConnectStatus(handle, state) == kRasInvalidHandle;
    });
    std::erase_if(connections_, [this](const ActiveConnection& connection) {
        return current_.WasHungUp(connection.handle);
    });
}

bool ConnectionMonitor::Listed(ConnectionHandle handle) const {
    return std::any_of(connections_.begin(), connections_.end(),
                       [handle](const ActiveConnection& c) { return c.handle == handle; });
}

// A line that dropped is no longer listed (or is listed as disconnected), but its handle lives
// until it is hung up. The monitor hangs up the line it followed; a dial in progress is the
// dialer's, which learns of its end from the progress.
void ConnectionMonitor::ReleaseEndedLine(ConnectionHandle handle) {
    if (handle == 0 || handle == current_.dialing || current_.WasHungUp(handle)) {
        return;
    }
    source_.HangUp(handle);
    current_.NoteHungUp(handle);
}

// The followed line reports itself disconnected while still listed: hung up, and its session
// ends on this tick when no other line is listed.
void ConnectionMonitor::ReleaseDroppedLine() {
    const ConnectionHandle handle = current_.handle;
    ReleaseEndedLine(handle);
    std::erase_if(connections_, [handle](const ActiveConnection& c) { return c.handle == handle; });
    if (connections_.empty()) {
        ShowNoConnection();
    }
}

// Another connection listed first (the followed line dropped while another stays up, or a dial
// replaced it within one tick) ends the session of the old one: the list was never empty in
// between, so no tick would store it, and its counters must not serve as the new one's base.
void ConnectionMonitor::FollowConnection(ConnectionHandle handle) {
    if (handle == 0 || handle == followed_) {
        return;
    }
    if (!Listed(followed_)) {
        ReleaseEndedLine(followed_);
    }
    if (state_.InSession) {
        EndSession();
    }
    followed_ = handle;
    // The figures of the line before are not this one's: a record of a session whose every
    // reading failed holds what was read of it, nothing of an earlier one.
    snapshot_ = ConnectionSnapshot{};
    ForgetPreviousReading();
}

void ConnectionMonitor::ForgetPreviousReading() {
    state_.PreviousReceivedKB = 0;
    state_.PreviousSentKB = 0;
    state_.PreviousTotalKB = 0;
    previousReadingAt_.reset();
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
    if (connectionState == kStateDisconnected && current_.handle != current_.dialing) {
        ReleaseDroppedLine();
        return false;
    }
    state_.LineConnected = connectionState == kStateConnected;
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
    // The line read last goes on counting its wraps; another line counts from its own reading.
    const bool sameLine = countedLine_ == current_.handle;
    countedLine_ = current_.handle;
    snapshot_.BytesSent =
        sameLine ? WidenCounter(snapshot_.BytesSent, statistics.bytesSent) : statistics.bytesSent;
    snapshot_.BytesReceived = sameLine
                                  ? WidenCounter(snapshot_.BytesReceived, statistics.bytesReceived)
                                  : statistics.bytesReceived;
    snapshot_.CompressionIn = statistics.compressionIn;
    snapshot_.CompressionOut = statistics.compressionOut;
    snapshot_.LinkSpeed = statistics.linkSpeedBps;
    snapshot_.DurationMs = statistics.durationMs;
    snapshot_.TotalBytes = snapshot_.BytesSent + snapshot_.BytesReceived;
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
    const std::uint64_t totalBytes = snapshot_.TotalBytes;
    const double totalKB = static_cast<double>(totalBytes) / 1024.0;
    tray_.totalKilobytes = FormatTrafficKilobytes(totalBytes);
    // Speeds are the bytes since the previous reading over the time between the two readings,
    // so a late or skipped tick does not double them; without a previous reading of this line
    // (the program started during a session) there is no speed to show yet.
    const LocalDateTime now = clock_.Now();
    const double seconds =
        previousReadingAt_ ? MillisecondsBetween(*previousReadingAt_, now) / 1000.0 : 0.0;
    const auto perSecond = [seconds](double kilobytes) {
        return seconds > 0 ? kilobytes / seconds : 0.0;
    };
    const double receivedKBps =
        perSecond(KilobytesSince(snapshot_.BytesReceived, state_.PreviousReceivedKB));
    const double sentKBps = perSecond(KilobytesSince(snapshot_.BytesSent, state_.PreviousSentKB));
    tray_.receiveSpeed = FormatSpeed(receivedKBps, formats_);
    tray_.sendSpeed = FormatSpeed(sentKBps, formats_);
    tray_.totalSpeed =
        FormatSpeed(perSecond(KilobytesSince(totalBytes, state_.PreviousTotalKB)), formats_);
    receivedPerSecond_ = static_cast<std::int32_t>(receivedKBps * 1024);
    sentPerSecond_ = static_cast<std::int32_t>(sentKBps * 1024);
    previousReadingAt_ = now;
    state_.PreviousReceivedKB = static_cast<double>(snapshot_.BytesReceived) / 1024.0;
    state_.PreviousSentKB = static_cast<double>(snapshot_.BytesSent) / 1024.0;
    state_.PreviousTotalKB = totalKB;
    state_.AverageSpeedText =
        snapshot_.DurationMs == 0
            ? "0"
            : FormatSpeed(totalKB / (snapshot_.DurationMs / 1000.0), formats_);
    tray_.averageSpeed = state_.AverageSpeedText;
    // For a place too narrow for the KB/s figure (1000 and more is scientific notation).
    averageSpeedMBText_ =
        snapshot_.DurationMs == 0
            ? "0"
            : FormatSpeed(totalKB / 1024.0 / (snapshot_.DurationMs / 1000.0), formats_);
    AppendTrayFigures(state_.TrayInfoText, tray_, flags, Russian());
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
    // While the line is still being set up its projection is not complete yet: no error.
    if (result == kRasProjectionNotComplete && snapshot_.State != kStateConnected) {
        return;
    }
    if (result != kRasSuccess) {
        ShowServiceError(FailedCall::Projection, result);
        return;
    }
    CallSucceeded(FailedCall::Projection);
    AppendTrayAddresses(state_.TrayInfoText, snapshot_.ClientIp, snapshot_.ServerIp, flags,
                        Russian());
}

void ConnectionMonitor::ShowNoConnection() {
    ReleaseEndedLine(followed_);
    if (state_.InSession) {
        EndSession();
    }
    state_.AverageSpeedText = std::string(kNoAverageSpeed);
    // The next connection's speeds are not measured against the figures of the one that ended.
    followed_ = 0;
    countedLine_ = 0;
    ForgetPreviousReading();
    // A failure of a call about a connection that is gone no longer holds.
    ClearOwnStatusText();
    for (const auto& [field, text] : kNoConnectionFields) {
        display_.SetField(field, text);
    }
    state_.TrayInfoText = kTrayNoConnectionText;
    display_.ShowStateIcon(false);
    // The pictures show the zero duration as they show every other: "Time : 0" reads as a
    // figure cut short.
    graphs_.DrawIdleGraphs(FormatDurationText(0, formats_), state_.AverageSpeedText);
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
    // The addresses as read of this line: empty when never read (the labels' texts before the
    // first tick are design texts, not addresses).
    session.serverip = snapshot_.ServerIp;
    session.clientip = snapshot_.ClientIp;
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
