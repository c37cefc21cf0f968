#pragma once
// The real shut-down steps: the process token, the shut-down privilege and ExitWindowsEx.

#include <windows.h>

#include "app/shutdown.h"
#include "base/win32/resources.h"

namespace orv {

class WindowsShutdown : public ShutdownPort {
  public:
    WindowsShutdown() = default;
    ~WindowsShutdown() override;
    WindowsShutdown(const WindowsShutdown&) = delete;
    WindowsShutdown& operator=(const WindowsShutdown&) = delete;

    std::optional<PlatformVersion> QueryVersion() override;
    bool OpenOwnToken() override;
    bool LookupShutdownPrivilege() override;
    bool EnableShutdownPrivilege() override;
    Outcome RequestShutdown(std::uint32_t flags) override;

  private:
    UniqueHandle token_;
    LUID privilege_{};
};

// The operating-system version text, empty when the platform refuses the query.
std::string VersionText();

}  // namespace orv
