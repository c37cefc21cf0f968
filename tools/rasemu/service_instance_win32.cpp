#include "tools/rasemu/service_instance_win32.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "tools/rasemu/control_file.h"

namespace orv::rasemu {
namespace {

struct FileStamp {
    ULONGLONG writeTime = 0;
    ULONGLONG size = 0;
    bool operator==(const FileStamp&) const = default;
};

struct Instance {
    SteadyServiceClock clock;
    std::unique_ptr<EmulatedService> service;
    std::string scenarioPath;
    FileStamp scenarioStamp;
    std::optional<ControlFileTail> control;
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

}  // namespace

std::mutex& ServiceMutex() {
    static std::mutex mutex;
    return mutex;
}

EmulatedService& UpToDateService() {
    Instance& instance = TheInstance();
    const std::string scenarioPath = Environment("ORVANE_RAS_SCENARIO");
    const FileStamp stamp = StampOf(scenarioPath);
    if (!instance.service || scenarioPath != instance.scenarioPath ||
        !(stamp == instance.scenarioStamp)) {
        instance.service =
            std::make_unique<EmulatedService>(LoadScenario(scenarioPath), instance.clock);
        instance.scenarioPath = scenarioPath;
        instance.scenarioStamp = stamp;
    }

    const std::string controlPath = Environment("ORVANE_RAS_CONTROL");
    if (!instance.control || instance.control->Path() != controlPath) {
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

}  // namespace orv::rasemu
