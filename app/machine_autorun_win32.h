#pragma once
// The autorun entry: value "Orvane" in the machine-wide Run key, holding the program's path in
// quotes.

#include <string>
#include <string_view>

#include "app/settings_ports.h"

namespace orv {

class MachineAutorunEntry : public AutorunEntry {
  public:
    explicit MachineAutorunEntry(std::wstring programPath) : programPath_(std::move(programPath)) {}
    bool SetEnabled(bool on) override;

  private:
    std::wstring programPath_;
};

// Whether a Run command names the program: its path, quoted or not (as earlier versions wrote
// it), letters in any case.
bool RunCommandNamesProgram(std::wstring_view command, std::wstring_view programPath);

// The full path of the running program file.
std::wstring ProgramFilePath();

}  // namespace orv
