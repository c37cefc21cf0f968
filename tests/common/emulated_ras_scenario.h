#pragma once
// A scenario of its own for one test of the Win32 or whole-program layer: a fresh scenario file
// and a control file (holding only `dialogs cancel`), named to the emulated rasapi32.dll
// through the environment (a program started afterwards inherits them), and a fresh file where
// the service counts the handles nobody hung up. The DLL loads the scenario at its next call.

#include <windows.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>

namespace orv::testing {

class EmulatedScenario {
  public:
    explicit EmulatedScenario(std::string_view text)
        : scenarioPath_(FreshTempPath(".scn")),
          controlPath_(FreshTempPath(".ctl")),
          handlesPath_(FreshTempPath(".handles")) {
        Write(scenarioPath_, text, std::ios::trunc);
        // An entry dialog the test did not script is cancelled rather than shown, so that it
        // cannot wait for a person; a test that fills in the dialog says `dialogs ask`.
        Write(controlPath_, "dialogs cancel\n", std::ios::trunc);
        SetEnvironmentVariableA("ORVANE_RAS_SCENARIO", scenarioPath_.c_str());
        SetEnvironmentVariableA("ORVANE_RAS_CONTROL", controlPath_.c_str());
        SetEnvironmentVariableA("ORVANE_RAS_HANDLES", handlesPath_.c_str());
    }
    ~EmulatedScenario() {
        SetEnvironmentVariableA("ORVANE_RAS_SCENARIO", nullptr);
        SetEnvironmentVariableA("ORVANE_RAS_CONTROL", nullptr);
        SetEnvironmentVariableA("ORVANE_RAS_HANDLES", nullptr);
        for (const std::string* path :
             {&scenarioPath_, &controlPath_, &handlesPath_, &statePath_}) {
            DeleteFileA(path->c_str());
        }
    }
    EmulatedScenario(const EmulatedScenario&) = delete;
    EmulatedScenario& operator=(const EmulatedScenario&) = delete;

    // Appends one command line (docs/scenarios.md), e.g. `start "Home ISP"` or `drop`.
    void Control(std::string_view line) const {
        Write(controlPath_, std::string(line) + "\n", std::ios::app);
    }

    // How many handles a caller got (dialed or listed) whose line ended and that nobody has
    // hung up, as the service last wrote it (no file: none ever).
    int HandlesNotHungUp() const {
        std::ifstream file(handlesPath_);
        int count = 0;
        return file >> count ? count : 0;
    }
    // The service's report of them: the count, then a line per handle.
    std::string HandlesReport() const {
        std::ifstream file(handlesPath_);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

  private:
    // Unique per process and per scenario: test processes run side by side.
    static std::string FreshTempPath(const char* suffix) {
        static int counter = 0;
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        return std::string(folder) + "orvane-ras-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(++counter) + suffix;
    }
    static void Write(const std::string& path, std::string_view text, std::ios::openmode mode) {
        std::ofstream file(path, std::ios::binary | mode);
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
    }

    std::string scenarioPath_;
    std::string controlPath_;
    std::string handlesPath_;
    std::string statePath_ = controlPath_ + ".state";  // the shared service's state
};

// Runs this thread's messages until done() holds or timeoutMs have passed; returns done().
inline bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
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
