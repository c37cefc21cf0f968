// The cost of one monitor tick against a service that answers at once and ports that do
// nothing, so that the figure is the tick's own work: the calls, the texts and the tray text.

#include <benchmark/benchmark.h>

#include "monitor/monitor_tick.h"

namespace orv {
namespace {

class SteadySource : public ConnectionReader {
  public:
    bool listed = true;

    RasResult EnumConnections(std::vector<ActiveConnection>& connections) override {
        if (listed) {
            connections.push_back({0x51, "Provider", "modem", "USR Courier"});
        }
        return kRasSuccess;
    }
    RasResult GetConnectStatus(ConnectionHandle, std::uint32_t& state) override {
        state = kStateConnected;
        return kRasSuccess;
    }
    RasResult GetConnectionStatistics(ConnectionHandle, ConnectionStatistics& out) override {
        // Traffic keeps flowing, so every tick formats fresh figures.
        statistics_.bytesReceived += 6'000;
        statistics_.bytesSent += 700;
        statistics_.durationMs += 1000;
        out = statistics_;
        return kRasSuccess;
    }
    RasResult GetProjectionInfo(ConnectionHandle, IpProjection& projection) override {
        projection = {"10.0.0.2", "10.0.0.1"};
        return kRasSuccess;
    }
    RasResult GetErrorString(RasResult, std::size_t, std::string& text) override {
        text = "error";
        return kRasSuccess;
    }
    RasResult HangUp(ConnectionHandle) override { return kRasSuccess; }

  private:
    ConnectionStatistics statistics_{.bytesSent = 0,
                                     .bytesReceived = 0,
                                     .compressionIn = 31,
                                     .compressionOut = 12,
                                     .linkSpeedBps = 115'200,
                                     .durationMs = 0};
};

class NullPorts : public MonitorDisplay,
                  public TrafficGraphs,
                  public SessionStore,
                  public ConnectionNotices {
  public:
    void SetField(DisplayField, std::string_view text) override {
        benchmark::DoNotOptimize(text.data());
    }
    std::string Field(DisplayField) const override { return "0"; }
    void SetStatusText(std::string_view) override {}
    std::string StatusText() const override { return {}; }
    void ShowStateIcon(bool) override {}
    DisplayFlags ReadDisplayFlags() const override {
        return {true, true, true, true, true, true, true, true};  // every tray line
    }
    void DrawTrafficGraphs(const TrafficFigures& figures) override {
        benchmark::DoNotOptimize(&figures);
    }
    void DrawIdleGraphs(std::string_view, std::string_view) override {}
    void AppendSession(const ConnectionInfo& session) override {
        benchmark::DoNotOptimize(&session);
    }
    void NotifyConnected() override {}
    void NotifyDisconnected() override {}
};

class FixedClock : public Clock {
  public:
    LocalDateTime Now() const override { return {2024, 3, 5, 14, 7, 9, 0}; }
};

struct TickRig {
    SteadySource source;
    NullPorts ports;
    RegionalFormats formats;
    FixedClock clock;
    CurrentConnection current;
    ConnectionMonitor monitor{source, ports, ports, ports, ports, formats, clock, current};
};

// A connected tick with every display option on: the longest path through the tick.
void BM_ConnectedTick(benchmark::State& state) {
    TickRig rig;
    for (auto _ : state) {
        rig.monitor.MonitorTick();
        benchmark::DoNotOptimize(rig.monitor.State().TrayInfoText.data());
    }
}
BENCHMARK(BM_ConnectedTick);

// A connected tick followed by the tick that finds the connection gone and stores the session.
void BM_SessionEndTick(benchmark::State& state) {
    TickRig rig;
    for (auto _ : state) {
        rig.source.listed = true;
        rig.monitor.MonitorTick();
        rig.source.listed = false;
        rig.monitor.MonitorTick();
    }
    state.SetItemsProcessed(state.iterations() * 2);  // ticks
}
BENCHMARK(BM_SessionEndTick);

}  // namespace
}  // namespace orv
