#include "ras_test_scenario.h"

#include <fstream>

namespace orv::testing {
namespace {

// Unique per process and per scenario: tests of different processes run side by side.
std::string FreshTempPath(const char* suffix) {
    static int counter = 0;
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "orvane-ras-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++counter) + suffix;
}

void WriteAll(const std::string& path, std::string_view text, std::ios::openmode mode) {
    std::ofstream file(path, std::ios::binary | mode);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace

EmulatedScenario::EmulatedScenario(std::string_view text)
    : scenarioPath_(FreshTempPath(".scn")), controlPath_(FreshTempPath(".ctl")) {
    WriteAll(scenarioPath_, text, std::ios::trunc);
    WriteAll(controlPath_, "", std::ios::trunc);
    SetEnvironmentVariableA("ORVANE_RAS_SCENARIO", scenarioPath_.c_str());
    SetEnvironmentVariableA("ORVANE_RAS_CONTROL", controlPath_.c_str());
}

EmulatedScenario::~EmulatedScenario() {
    SetEnvironmentVariableA("ORVANE_RAS_SCENARIO", nullptr);
    SetEnvironmentVariableA("ORVANE_RAS_CONTROL", nullptr);
    DeleteFileA(scenarioPath_.c_str());
    DeleteFileA(controlPath_.c_str());
}

void EmulatedScenario::Control(std::string_view line) const {
    WriteAll(controlPath_, std::string(line) + "\n", std::ios::app);
}

bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

}  // namespace orv::testing
