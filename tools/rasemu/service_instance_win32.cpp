#include "tools/rasemu/service_instance_win32.h"

#include <windows.h>

#include <cctype>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "base/win32/resources.h"
#include "tools/rasemu/control_file.h"

namespace orv::rasemu {
namespace {

// The real service outlives the programs that use it; so does this one's state, beside the
// control file. Every call takes the prefix-wide mutex, reads the state another process may
// have changed, and writes back what the call changed.
constexpr std::string_view kStateSuffix = ".state";
constexpr DWORD kMutexWaitMs = 10'000;

struct FileStamp {
    ULONGLONG writeTime = 0;
    ULONGLONG size = 0;
    bool operator==(const FileStamp&) const = default;
};

// Wall-clock time: the one clock all processes of the prefix share, so that scenario time runs
// on from the first load across restarts.
class SystemServiceClock final : public ServiceClock {
  public:
    Millis RealNowMs() const override {
        FILETIME now{};
        GetSystemTimeAsFileTime(&now);
        const ULONGLONG ticks = (ULONGLONG{now.dwHighDateTime} << 32) | now.dwLowDateTime;
        return static_cast<Millis>(ticks / 10'000);
    }
};

struct Instance {
    SystemServiceClock clock;
    std::unique_ptr<EmulatedService> service;
    // The scenario as read from its file, kept to make the service afresh from it.
    std::string scenarioPath;
    FileStamp scenarioStamp;
    Scenario scenario;
    std::optional<ControlFileTail> control;
    // Shared through the state file when a control file is named.
    UniqueHandle sharedMutex;
    std::string mutexFor;
    bool holdsMutex = false;
    std::string statePath;
    std::string stateText;  // as last read or written
    std::string handlesPath;
    std::optional<std::vector<EmulatedService::UnreleasedHandle>> handlesWritten;
};

Instance& TheInstance() {
    static Instance instance;
    return instance;
}

std::string Environment(const char* name) {
    char value[MAX_PATH * 2];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

// Processes started in other folders name the same file in other words.
std::string FullPath(const std::string& path) {
    if (path.empty()) {
        return path;
    }
    char full[MAX_PATH * 2];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return length > 0 && length < sizeof full ? std::string(full, length) : path;
}

FileStamp StampOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return {};
    }
    auto join = [](DWORD high, DWORD low) { return (ULONGLONG{high} << 32) | low; };
    return {join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime),
            join(data.nFileSizeHigh, data.nFileSizeLow)};
}

void Complain(const std::string& where, const std::string& problem) {
    std::fprintf(stderr, "rasemu: %s: %s\n", where.c_str(), problem.c_str());
}

Scenario LoadScenario(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    const auto text = ReadWholeFile(path);
    if (!text) {
        Complain(path, "cannot read the scenario; playing an empty one");
        return {};
    }
    ScenarioParse parsed = ParseScenario(*text);
    for (const std::string& error : parsed.errors) {
        Complain(path, error);
    }
    if (const auto speed = ParseSpeed(Environment("ORVANE_RAS_SPEED"))) {
        parsed.scenario.speed = *speed;
    }
    return std::move(parsed.scenario);
}

void WriteWholeFile(const std::string& path, const std::string& text) {
    const UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file ||
        !WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
        Complain(path, "cannot be written");
    }
}

// A name for the prefix-wide mutex of one state file (a kernel object name has no '\').
std::string MutexName(const std::string& statePath) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const char c : statePath) {
        hash = (hash ^ static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)))) *
               1099511628211ull;
    }
    char name[64];
    std::snprintf(name, sizeof name, "Local\\orvane-rasemu-%016llx",
                  static_cast<unsigned long long>(hash));
    return name;
}

// The first line of the state file: which scenario it plays (a changed file starts afresh) and
// how much of the control file has been applied.
std::string StateHeader(const Instance& instance) {
    char header[128];
    std::snprintf(header, sizeof header, "%llu %llu %llu ",
                  static_cast<unsigned long long>(instance.scenarioStamp.writeTime),
                  static_cast<unsigned long long>(instance.scenarioStamp.size),
                  static_cast<unsigned long long>(instance.control->Consumed()));
    return std::string(header) + instance.scenarioPath + "\n";
}

void FreshService(Instance& instance) {
    instance.service = std::make_unique<EmulatedService>(instance.scenario, instance.clock);
}

// Takes up the state another process left, unless it plays another scenario (or none).
void ReadSharedState(Instance& instance, const std::string& controlPath) {
    const std::string text = ReadWholeFile(instance.statePath).value_or("");
    if (instance.service && text == instance.stateText) {
        return;  // nobody else has called since
    }
    instance.stateText = text;
    const std::size_t headerEnd = text.find('\n');
    unsigned long long writeTime = 0, size = 0, consumed = 0;
    int pathAt = 0;
    const bool parsed = headerEnd != std::string::npos &&
                        std::sscanf(text.c_str(), "%llu %llu %llu %n", &writeTime, &size, &consumed,
                                    &pathAt) == 3 &&
                        text.substr(pathAt, headerEnd - pathAt) == instance.scenarioPath &&
                        FileStamp{writeTime, size} == instance.scenarioStamp;
    FreshService(instance);
    if (parsed && instance.service->RestoreState(std::string_view(text).substr(headerEnd + 1))) {
        instance.control.emplace(controlPath, consumed);
        return;
    }
    if (!text.empty() && parsed) {
        Complain(instance.statePath, "unreadable; the service starts afresh");
    }
    FreshService(instance);
    instance.control.emplace(controlPath);
}

bool LockShared(Instance& instance) {
    const std::string name = MutexName(instance.statePath);
    if (!instance.sharedMutex || instance.mutexFor != name) {
        instance.sharedMutex.Reset(CreateMutexA(nullptr, FALSE, name.c_str()));
        instance.mutexFor = name;
    }
    if (!instance.sharedMutex) {
        return false;
    }
    // An abandoned mutex (a process killed during a call) is ours all the same.
    const DWORD waited = WaitForSingleObject(instance.sharedMutex.Get(), kMutexWaitMs);
    instance.holdsMutex = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    if (!instance.holdsMutex) {
        Complain(instance.statePath, "another process holds the service too long; going on");
    }
    return true;
}

// The handles that were never hung up: their count, then one line each.
std::string HandlesReport(const std::vector<EmulatedService::UnreleasedHandle>& handles) {
    std::string report = std::to_string(handles.size()) + "\n";
    for (const auto& handle : handles) {
        char number[32];
        std::snprintf(number, sizeof number, "0x%llx",
                      static_cast<unsigned long long>(handle.handle));
        report += std::string(number) + " \"" + handle.entryName + "\" " +
                  std::to_string(handle.error) + "\n";
    }
    return report;
}

// Rewritten whenever the handles nobody hung up change, so that it holds the last word when a
// program exits.
void WriteHandlesReport(Instance& instance) {
    const std::string handlesPath = Environment("ORVANE_RAS_HANDLES");
    if (handlesPath != instance.handlesPath) {
        instance.handlesPath = handlesPath;
        instance.handlesWritten.reset();
    }
    if (handlesPath.empty() || !instance.service) {
        return;
    }
    auto handles = instance.service->HandlesNotHungUp();
    if (handles != instance.handlesWritten) {
        WriteWholeFile(handlesPath, HandlesReport(handles));
        instance.handlesWritten = std::move(handles);
    }
}

}  // namespace

std::mutex& ServiceMutex() {
    static std::mutex mutex;
    return mutex;
}

EmulatedService& UpToDateService() {
    Instance& instance = TheInstance();
    const std::string scenarioPath = FullPath(Environment("ORVANE_RAS_SCENARIO"));
    const FileStamp stamp = StampOf(scenarioPath);
    const bool newScenario =
        scenarioPath != instance.scenarioPath || !(stamp == instance.scenarioStamp);
    if (newScenario) {
        instance.scenario = LoadScenario(scenarioPath);
        instance.scenarioPath = scenarioPath;
        instance.scenarioStamp = stamp;
    }

    const std::string controlPath = FullPath(Environment("ORVANE_RAS_CONTROL"));
    const std::string statePath =
        controlPath.empty() ? std::string() : controlPath + std::string(kStateSuffix);
    if (statePath != instance.statePath) {
        instance.statePath = statePath;
        instance.stateText.clear();
        instance.service.reset();
    }
    if (!statePath.empty() && LockShared(instance)) {
        if (newScenario) {
            instance.service.reset();
        }
        ReadSharedState(instance, controlPath);
    } else if (!instance.service || newScenario || !instance.control ||
               instance.control->Path() != controlPath) {
        // No control file: a service of this process alone, as before any sharing.
        FreshService(instance);
        instance.control.emplace(controlPath);
    }

    if (!controlPath.empty()) {
        for (const std::string& line : instance.control->NewLines()) {
            const std::string problem = instance.service->ApplyControl(line);
            if (!problem.empty()) {
                Complain(controlPath, "'" + line + "': " + problem);
            }
        }
    }
    return *instance.service;
}

void CallDone() {
    Instance& instance = TheInstance();
    if (!instance.statePath.empty() && instance.service) {
        const std::string text = StateHeader(instance) + instance.service->SaveState();
        if (text != instance.stateText) {
            WriteWholeFile(instance.statePath, text);
            instance.stateText = text;
        }
    }
    WriteHandlesReport(instance);
    if (instance.holdsMutex) {
        ReleaseMutex(instance.sharedMutex.Get());
        instance.holdsMutex = false;
    }
}

}  // namespace orv::rasemu
