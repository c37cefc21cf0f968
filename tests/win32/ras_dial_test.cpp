// Dialing through the Windows connection source: progress handed to the interface thread in
// order, redial after a busy line once its port is released, and a hang-up during the dial.

#include <gtest/gtest.h>

#include "monitor/ras_connection_source_win32.h"
#include "tests/common/emulated_ras_scenario.h"

namespace orv {
namespace {

using testing::EmulatedScenario;
using testing::PumpMessagesUntil;

constexpr const char* kPhonebook = R"(
dial-step 0.02
hangup-delay 0.5
device "Standard Modem" modem
entry "Home ISP" user alice password secret
entry "Office" user bob
dial "Office" busy busy connect
session "Office"
    link 31200
    client 192.168.7.42
    server 192.168.7.1
)";

struct ProgressLog {
    std::vector<DialProgress> steps;
    std::vector<DWORD> threads;

    DialProgressHandler Handler() {
        return [this](const DialProgress& step) {
            steps.push_back(step);
            threads.push_back(GetCurrentThreadId());
        };
    }
    bool Ended() const {
        return !steps.empty() &&
               (steps.back().error != kRasSuccess || steps.back().state == kStateConnected);
    }
};

TEST(RasDial, ProgressReachesTheInterfaceThreadInOrder) {
    EmulatedScenario scenario(kPhonebook);
    Win32ConnectionSource source;
    ProgressLog log;
    DialParams params;
    params.entryName = "Home ISP";
    ASSERT_EQ(source.GetEntryDialParams(params), kRasSuccess);
    ConnectionHandle handle = 0;
    ASSERT_EQ(source.Dial(params, log.Handler(), handle), kRasSuccess);
    EXPECT_NE(handle, 0u);
    ASSERT_TRUE(PumpMessagesUntil([&] { return log.Ended(); }));

    std::vector<std::uint32_t> states;
    for (const DialProgress& step : log.steps) {
        states.push_back(step.state);
        EXPECT_EQ(step.error, kRasSuccess);
    }
    EXPECT_EQ(states,
              (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5, 6, 10, 14, 18, kStateConnected}));
    for (const DWORD thread : log.threads) {
        EXPECT_EQ(thread, GetCurrentThreadId());
    }
    std::uint32_t state = 0;
    EXPECT_EQ(source.GetConnectStatus(handle, state), kRasSuccess);
    EXPECT_EQ(state, kStateConnected);
}

TEST(RasDial, BusyTwiceThenConnectedRedialingOnceThePortIsReleased) {
    EmulatedScenario scenario(kPhonebook);
    Win32ConnectionSource source;
    DialParams params;
    params.entryName = "Office";
    std::vector<RasResult> failures;
    ConnectionHandle handle = 0;
    ConnectionHandle released = 0;
    bool connected = false;
    DialProgressHandler progress = [&](const DialProgress& step) {
        if (step.error != kRasSuccess) {
            failures.push_back(step.error);
            // The failed dial's handle is hung up as the service asks, even though the line
            // never came up; the port takes a while to be free again.
            std::uint32_t state = 0;
            EXPECT_EQ(source.GetConnectStatus(handle, state), kRasSuccess);
            EXPECT_EQ(state, kStateDisconnected);
            EXPECT_EQ(source.HangUp(handle), kRasSuccess);
            released = handle;
            ConnectionHandle tooEarly = 0;
            EXPECT_EQ(source.Dial(params, progress, tooEarly), 633u);
        } else if (step.state == kStateConnected) {
            connected = true;
        }
    };
    ASSERT_EQ(source.Dial(params, progress, handle), kRasSuccess);
    while (!connected && failures.size() < 3) {
        ASSERT_TRUE(PumpMessagesUntil([&] { return connected || released != 0; }));
        if (released != 0) {
            std::uint32_t state = 0;
            ASSERT_TRUE(PumpMessagesUntil(
                [&] { return source.GetConnectStatus(released, state) == kRasInvalidHandle; }));
            released = 0;
            ASSERT_EQ(source.Dial(params, progress, handle), kRasSuccess);
        }
    }
    EXPECT_TRUE(connected);
    EXPECT_EQ(failures, (std::vector<RasResult>{kRasLineBusy, kRasLineBusy}));

    std::vector<ActiveConnection> listed;
    ASSERT_EQ(source.EnumConnections(listed), kRasSuccess);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].handle, handle);
    EXPECT_EQ(listed[0].entryName, "Office");
    IpProjection projection;
    ASSERT_EQ(source.GetProjectionInfo(handle, projection), kRasSuccess);
    EXPECT_EQ(projection.clientIp, "192.168.7.42");
}

TEST(RasDial, HangUpDuringTheDialEndsItsProgress) {
    EmulatedScenario scenario(kPhonebook);
    scenario.Control("dial \"Home ISP\" connect");
    Win32ConnectionSource source;
    ProgressLog log;
    DialParams params;
    params.entryName = "Home ISP";
    scenario.Control("speed 0.05");  // 20 s of real time a scenario second: the dial crawls
    ConnectionHandle handle = 0;
    ASSERT_EQ(source.Dial(params, log.Handler(), handle), kRasSuccess);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !log.steps.empty(); }));

    EXPECT_EQ(source.HangUp(handle), kRasSuccess);
    // Listed and answering, disconnected, until its port is released; a second hang-up is
    // refused, the handle can no longer be used.
    std::vector<ActiveConnection> listed;
    ASSERT_EQ(source.EnumConnections(listed), kRasSuccess);
    EXPECT_EQ(listed.size(), 1u);
    std::uint32_t state = 0;
    EXPECT_EQ(source.GetConnectStatus(handle, state), kRasSuccess);
    EXPECT_EQ(state, kStateDisconnected);
    EXPECT_EQ(source.HangUp(handle), kRasInvalidHandle);
    scenario.Control("speed 1");  // the steps that would follow are due within a second
    // What the service reported before the hang-up returned is already in the queue.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
    const std::size_t reported = log.steps.size();
    PumpMessagesUntil([] { return false; }, 1500);
    EXPECT_EQ(log.steps.size(), reported);
    EXPECT_EQ(log.steps.back().error, kRasSuccess);
    EXPECT_NE(log.steps.back().state, kStateConnected);
    EXPECT_TRUE(PumpMessagesUntil(
        [&] { return source.GetConnectStatus(handle, state) == kRasInvalidHandle; }));
    ASSERT_EQ(source.EnumConnections(listed), kRasSuccess);
    EXPECT_TRUE(listed.empty());
    EXPECT_EQ(scenario.HandlesNotHungUp(), 0);
}

TEST(RasDial, AnUnknownEntryFailsAtOnceWithoutProgress) {
    EmulatedScenario scenario(kPhonebook);
    Win32ConnectionSource source;
    ProgressLog log;
    DialParams params;
    params.entryName = "Nowhere";
    ConnectionHandle handle = 0;
    EXPECT_EQ(source.Dial(params, log.Handler(), handle), kRasCannotFindPhonebookEntry);
    EXPECT_EQ(handle, 0u);
    PumpMessagesUntil([] { return false; }, 200);
    EXPECT_TRUE(log.steps.empty());
}

}  // namespace
}  // namespace orv
