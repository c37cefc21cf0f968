#pragma once
// The autorun entry: value "Orvane" in the machine-wide Run key, holding the program's path.

#include <string>

#include "app/settings_ports.h"

namespace orv {

class MachineAutorunEntry : public AutorunEntry {
  public:
    explicit MachineAutorunEntry(std::wstring programPath) : programPath_(std::move(programPath)) {}
    bool SetEnabled(bool on) override;

  private:
    std::wstring programPath_;
};

// The full path of the running program file.
std::wstring ProgramFilePath();

}  // namespace orv
