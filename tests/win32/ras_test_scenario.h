#pragma once
// A scenario of its own for one test: a fresh scenario file (and control file) named to the
// emulated rasapi32.dll through the environment, which the DLL loads at its next call.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace orv::testing {

class EmulatedScenario {
  public:
    explicit EmulatedScenario(std::string_view text);
    ~EmulatedScenario();
    EmulatedScenario(const EmulatedScenario&) = delete;
    EmulatedScenario& operator=(const EmulatedScenario&) = delete;

    // Appends one command line to the control file.
    void Control(std::string_view line) const;

  private:
    std::string scenarioPath_;
    std::string controlPath_;
};

// Runs this thread's messages until done() holds or timeoutMs have passed; returns done().
bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

}  // namespace orv::testing
