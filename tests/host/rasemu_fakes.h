#pragma once
// A hand-set real clock for the emulated service, and a service built from scenario text.

#include <gtest/gtest.h>

#include <memory>
#include <string_view>

#include "tools/rasemu/emulated_service.h"

namespace orv::rasemu::test {

class HandClock final : public ServiceClock {
  public:
    Millis RealNowMs() const override { return now; }
    void Seconds(double seconds) { now += static_cast<Millis>(seconds * 1000); }
    Millis now = 1'000'000;
};

inline Scenario ParsedWithoutErrors(std::string_view text) {
    ScenarioParse parsed = ParseScenario(text);
    EXPECT_TRUE(parsed.errors.empty()) << parsed.errors.front();
    return parsed.scenario;
}

struct PlayedScenario {
    explicit PlayedScenario(std::string_view text)
        : service(std::make_unique<EmulatedService>(ParsedWithoutErrors(text), clock)) {}

    std::vector<ActiveConnection> Listed() {
        std::vector<ActiveConnection> connections;
        EXPECT_EQ(service->EnumConnections(connections), kRasSuccess);
        return connections;
    }
    ConnectionStatistics StatisticsOf(ConnectionHandle handle) {
        ConnectionStatistics statistics;
        EXPECT_EQ(service->Statistics(handle, statistics), kRasSuccess);
        return statistics;
    }
    std::uint32_t StateOf(ConnectionHandle handle) { return StatusOf(handle).state; }
    DialProgress StatusOf(ConnectionHandle handle) {
        DialProgress status;
        DeviceInfo device;
        EXPECT_EQ(service->ConnectStatus(handle, status.state, device, status.error), kRasSuccess);
        return status;
    }
    RasResult StatusResult(ConnectionHandle handle) {
        DialProgress status;
        DeviceInfo device;
        return service->ConnectStatus(handle, status.state, device, status.error);
    }

    HandClock clock;
    std::unique_ptr<EmulatedService> service;
};

}  // namespace orv::rasemu::test
