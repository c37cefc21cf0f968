#pragma once
// Fakes for the monitor tick: a scripted remote-access service and ports that record what the
// tick hands them, in one shared event log so that tests can check the order of the steps.

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/regional_formats.h"
#include "monitor/connection_source.h"
#include "monitor/monitor_ports.h"

namespace orv::test {

using EventLog = std::vector<std::string>;

class FakeConnectionSource : public ConnectionReader {
  public:
    explicit FakeConnectionSource(EventLog& log) : log_(log) {}

    RasResult enumResult = kRasSuccess;
    std::vector<ActiveConnection> connections;
    RasResult statusResult = kRasSuccess;
    std::uint32_t state = kStateConnected;
    RasResult statisticsResult = kRasSuccess;
    ConnectionStatistics statistics;
    RasResult projectionResult = kRasSuccess;
    IpProjection projection;
    bool errorTextsKnown = true;

    std::vector<ConnectionHandle> handlesAsked;  // by the state, statistics and projection calls
    std::vector<ConnectionHandle> hungUp;
    // Status checks a hung-up handle still answers before its port is released (then 6, once).
    int releaseChecks = 0;
    std::map<ConnectionHandle, int> releasing;
    std::vector<std::size_t> errorBufferSizes;

    // The text the service gives for an error code.
    static std::string ErrorText(RasResult code) { return "service text " + std::to_string(code); }

    RasResult EnumConnections(std::vector<ActiveConnection>& out) override {
        log_.push_back("enum");
        if (enumResult == kRasSuccess) {
            out = connections;
        }
        return enumResult;
    }
    RasResult GetConnectStatus(ConnectionHandle connection, std::uint32_t& out) override {
        log_.push_back("status");
        handlesAsked.push_back(connection);
        if (const auto left = releasing.find(connection); left != releasing.end()) {
            if (left->second-- == 0) {
                releasing.erase(left);
                return kRasInvalidHandle;
            }
            out = kStateDisconnected;
            return kRasSuccess;
        }
        out = state;
        return statusResult;
    }
    RasResult GetConnectionStatistics(ConnectionHandle connection,
                                      ConnectionStatistics& out) override {
        log_.push_back("statistics");
        handlesAsked.push_back(connection);
        out = statistics;
        return statisticsResult;
    }
    RasResult GetProjectionInfo(ConnectionHandle connection, IpProjection& out) override {
        log_.push_back("projection");
        handlesAsked.push_back(connection);
        out = projection;
        return projectionResult;
    }
    RasResult HangUp(ConnectionHandle connection) override {
        log_.push_back("hang up");
        hungUp.push_back(connection);
        releasing[connection] = releaseChecks;
        return kRasSuccess;
    }
    RasResult GetErrorString(RasResult code, std::size_t bufferChars, std::string& text) override {
        errorBufferSizes.push_back(bufferChars);
        if (!errorTextsKnown) {
            return kRasInvalidHandle;
        }
        text = ErrorText(code);
        return kRasSuccess;
    }

  private:
    EventLog& log_;
};

class FakeDisplay : public MonitorDisplay {
  public:
    explicit FakeDisplay(EventLog& log) : log_(log) {}

    std::map<DisplayField, std::string> fields;
    std::string statusText;
    DisplayFlags flags;
    int fieldWrites = 0;

    void SetField(DisplayField field, std::string_view text) override {
        fields[field] = std::string(text);
        ++fieldWrites;
    }
    std::string Field(DisplayField field) const override {
        const auto it = fields.find(field);
        return it == fields.end() ? std::string() : it->second;
    }
    void SetStatusText(std::string_view text) override {
        statusText = std::string(text);
        log_.push_back("status text");
    }
    std::string StatusText() const override { return statusText; }
    void ShowStateIcon(bool connected) override {
        log_.push_back(connected ? "connected icon" : "no-connection icon");
    }
    DisplayFlags ReadDisplayFlags() const override { return flags; }

  private:
    EventLog& log_;
};

class FakeGraphs : public TrafficGraphs {
  public:
    explicit FakeGraphs(EventLog& log) : log_(log) {}

    std::vector<TrafficFigures> drawn;
    std::vector<std::pair<std::string, std::string>> idle;  // duration field, average speed

    void DrawTrafficGraphs(const TrafficFigures& figures) override {
        drawn.push_back(figures);
        log_.push_back("graphs");
    }
    void DrawIdleGraphs(std::string_view durationField,
                        std::string_view averageSpeedText) override {
        idle.emplace_back(durationField, averageSpeedText);
        log_.push_back("idle graphs");
    }

  private:
    EventLog& log_;
};

class FakeSessionStore : public SessionStore {
  public:
    explicit FakeSessionStore(EventLog& log) : log_(log) {}

    std::vector<ConnectionInfo> sessions;
    // Runs once inside the next append, as a message box's own message loop would run timers.
    std::function<void()> duringNextAppend;

    void AppendSession(const ConnectionInfo& session) override {
        sessions.push_back(session);
        log_.push_back("append session");
        if (auto during = std::exchange(duringNextAppend, {})) {
            during();
        }
    }
    void SessionStarted() override {
        ++started;
        log_.push_back("session started");
    }
    int started = 0;

  private:
    EventLog& log_;
};

class FakeNotices : public ConnectionNotices {
  public:
    explicit FakeNotices(EventLog& log) : log_(log) {}

    int connected = 0;
    int disconnected = 0;

    void NotifyConnected() override {
        ++connected;
        log_.push_back("notify connected");
    }
    void NotifyDisconnected() override {
        ++disconnected;
        log_.push_back("notify disconnected");
    }

  private:
    EventLog& log_;
};

class FixedClock : public Clock {
  public:
    LocalDateTime now{2024, 3, 5, 14, 7, 9, 0};
    LocalDateTime Now() const override { return now; }
    void Advance(std::int64_t milliseconds) { now = AddMilliseconds(now, milliseconds); }
};

}  // namespace orv::test
