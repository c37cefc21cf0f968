#include "tools/rasemu/dial_runner_win32.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

#include "base/win32/resources.h"
#include "tools/rasemu/service_instance_win32.h"

namespace orv::rasemu {
namespace {

constexpr DWORD kPollMs = 10;

// One dial whose progress a thread delivers. The thread calls the progress function only while
// it holds `delivering` and the dial is not stopped; a stop takes the same lock, so it waits for
// a call under way. Recursive: a progress function may hang up its own dial.
struct DialRun {
    ConnectionHandle connection;
    ras::DialFunction notifier;
    std::recursive_mutex delivering;
    bool stopped = false;
};

std::mutex gRunsMutex;
std::vector<std::shared_ptr<DialRun>> gRuns;

// Hands each step to report as it falls due; returns the error that ended the dial, or stops
// early when report says so.
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
            if (!report(step)) {
                return error;
            }
        }
    }
    return error;
}

DWORD WINAPI DialThreadMain(void* parameter) {
    const std::unique_ptr<std::shared_ptr<DialRun>> owned(
        static_cast<std::shared_ptr<DialRun>*>(parameter));
    const std::shared_ptr<DialRun> run = *owned;
    FollowDial(run->connection, [&](const DialProgress& step) {
        const std::lock_guard<std::recursive_mutex> lock(run->delivering);
        if (run->stopped) {
            return false;
        }
        run->notifier(ras::kDialEventMessage, step.state, step.error);
        return !run->stopped;
    });
    const std::lock_guard<std::mutex> lock(gRunsMutex);
    std::erase(gRuns, run);
    return 0;
}

}  // namespace

void StartDialProgress(ConnectionHandle connection, ras::DialFunction notifier) {
    auto run = std::make_shared<DialRun>();
    run->connection = connection;
    run->notifier = notifier;
    {
        const std::lock_guard<std::mutex> lock(gRunsMutex);
        gRuns.push_back(run);
    }
    auto parameter = std::make_unique<std::shared_ptr<DialRun>>(run);
    // The thread runs on its own; its handle is not needed.
    const UniqueHandle thread(
        CreateThread(nullptr, 0, DialThreadMain, parameter.get(), 0, nullptr));
    if (thread) {
        parameter.release();
    } else {
        const std::lock_guard<std::mutex> lock(gRunsMutex);
        std::erase(gRuns, run);
    }
}

void StopDialProgress(ConnectionHandle connection) {
    std::vector<std::shared_ptr<DialRun>> stopping;
    {
        const std::lock_guard<std::mutex> lock(gRunsMutex);
        std::copy_if(gRuns.begin(), gRuns.end(), std::back_inserter(stopping),
                     [&](const auto& run) { return run->connection == connection; });
    }
    for (const auto& run : stopping) {
        const std::lock_guard<std::recursive_mutex> lock(run->delivering);
        run->stopped = true;
    }
}

RasResult RunDialToEnd(ConnectionHandle connection) {
    return FollowDial(connection, [](const DialProgress&) { return true; });
}

}  // namespace orv::rasemu
