#pragma once
// The once-a-second monitor tick: reads the followed connection from the remote-access
// service, fills the main window's fields and the tray text, feeds the traffic graphs, and
// notices the start and the end of a session (storing the session and announcing both).

#include <optional>
#include <vector>

#include "base/language_code.h"
#include "base/regional_formats.h"
#include "monitor/connection_snapshot.h"
#include "monitor/connection_source.h"
#include "monitor/current_connection.h"
#include "monitor/monitor_ports.h"
#include "monitor/tray_info_text.h"

namespace orv {

// The line the service lists first, connected, as read at start before the first tick.
struct LiveLine {
    ConnectionHandle handle = 0;
    std::string entryName;
    std::string deviceType;
    std::string deviceName;
    std::uint32_t durationMs = 0;
    std::uint64_t bytesReceived = 0;
    std::uint64_t bytesSent = 0;
    LocalDateTime readAt;
};

// Nothing when no line is listed, or the first one is not connected or gives no figures.
std::optional<LiveLine> ReadFirstLine(ConnectionReader& source, const Clock& clock);

class ConnectionMonitor {
  public:
    ConnectionMonitor(ConnectionReader& source, MonitorDisplay& display, TrafficGraphs& graphs,
                      SessionStore& sessions, ConnectionNotices& notices,
                      const RegionalFormats& formats, const Clock& clock,
                      CurrentConnection& current, const LanguageCode* language = nullptr);

    // The handler of Timer1 (1000 ms).
    void MonitorTick();
    // The session in progress with its figures so far, as the record it would be stored as if
    // it ended now; nothing between sessions.
    std::optional<RunningSession> Running() const;
    // Before the first tick: `line` continues the session an earlier run noted and did not
    // store. It is followed as in session with the line's figures and the noted addresses and
    // speeds (no connect notice: that was given), and stored once, at its end.
    void ContinueSession(const RunningSession& noted, const LiveLine& line);

    const ConnectionSnapshot& Snapshot() const { return snapshot_; }
    const MonitorState& State() const { return state_; }

  private:
    // The calls whose failure writes the status text.
    enum class FailedCall { None, Status, Statistics, Projection };

    void Tick();
    void SkipHungUpLines();
    bool Listed(ConnectionHandle handle) const;
    void ReleaseEndedLine(ConnectionHandle handle);
    void ReleaseDroppedLine();
    void FollowConnection(ConnectionHandle handle);
    void ForgetPreviousReading();
    void EndSession();
    void ShowConnectionNames(const ActiveConnection& connection);
    bool ReadConnectionState();
    bool ReadStatistics();
    void ShowStatistics();
    void AppendTrafficToTray(const DisplayFlags& flags);
    void ShowAddresses(const DisplayFlags& flags);
    void ShowNoConnection();
    void StoreEndedSession();
    ConnectionInfo SessionRecord(const LocalDateTime& end) const;
    void ShowServiceError(FailedCall call, RasResult code);
    void CallSucceeded(FailedCall call);
    void ClearOwnStatusText();
    bool Russian() const { return language_ == nullptr || language_->IsRussian(); }

    ConnectionReader& source_;
    MonitorDisplay& display_;
    TrafficGraphs& graphs_;
    SessionStore& sessions_;
    ConnectionNotices& notices_;
    const RegionalFormats& formats_;
    const Clock& clock_;
    CurrentConnection& current_;
    const LanguageCode* language_;  // the tray text's language; none: as designed (Russian)

    ConnectionSnapshot snapshot_;
    MonitorState state_;
    TrayFigures tray_;                                // the texts of the current tick
    std::string averageSpeedMBText_;                  // the average speed in MB/s
    std::vector<ActiveConnection> connections_;       // kept to spare an allocation per tick
    ConnectionHandle followed_ = 0;                   // the connection the figures belong to
    ConnectionHandle countedLine_ = 0;                // the connection the byte counts belong to
    std::optional<LocalDateTime> previousReadingAt_;  // of the counters in state_.Previous*KB
    std::int32_t receivedPerSecond_ = 0;              // bytes, for the graphs' bars
    std::int32_t sentPerSecond_ = 0;
    FailedCall statusWrittenBy_ = FailedCall::None;
    std::string statusWritten_;  // the status text that call wrote
    bool ticking_ = false;
    bool sessionStarted_ = false;  // this tick saw the session's first connected state
    std::optional<ConnectionInfo> endedSession_;  // stored once the tick that ended it is over
};

}  // namespace orv
