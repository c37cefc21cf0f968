#include "tools/rasemu/dial_runner_win32.h"

#include <memory>
#include <vector>

#include "base/win32/resources.h"
#include "tools/rasemu/service_instance_win32.h"

namespace orv::rasemu {
namespace {

constexpr DWORD kPollMs = 10;

struct DialThread {
    ConnectionHandle connection;
    ras::DialFunction notifier;
};

// Hands each step to report as it falls due; returns the error that ended the dial.
template <typename Report>
RasResult FollowDial(ConnectionHandle connection, Report report) {
    RasResult error = kRasSuccess;
    for (bool finished = false; !finished;) {
        Sleep(kPollMs);
        const std::vector<DialProgress> steps = WithService([&](EmulatedService& service) {
            return service.TakeDialProgress(connection, finished);
        });
        for (const DialProgress& step : steps) {
            error = step.error;
            report(step);
        }
    }
    return error;
}

DWORD WINAPI DialThreadMain(void* parameter) {
    const std::unique_ptr<DialThread> dial(static_cast<DialThread*>(parameter));
    FollowDial(dial->connection, [&](const DialProgress& step) {
        dial->notifier(ras::kDialEventMessage, step.state, step.error);
    });
    return 0;
}

}  // namespace

void StartDialProgress(ConnectionHandle connection, ras::DialFunction notifier) {
    auto dial = std::make_unique<DialThread>(DialThread{connection, notifier});
    // The thread runs on its own; its handle is not needed.
    const UniqueHandle thread(CreateThread(nullptr, 0, DialThreadMain, dial.get(), 0, nullptr));
    if (thread) {
        dial.release();
    }
}

RasResult RunDialToEnd(ConnectionHandle connection) {
    return FollowDial(connection, [](const DialProgress&) {});
}

}  // namespace orv::rasemu
