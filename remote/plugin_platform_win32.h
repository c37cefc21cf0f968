#pragma once
// The speech companion as the monitor's platform sees it: a file, the shell's "open" with the
// process it started, and a window captioned "DialUp Talvex".

#include <windows.h>

#include <functional>

#include "base/win32/resources.h"
#include "remote/plugin_control.h"

namespace orv {

class ShellPluginPlatform final : public PluginPlatform {
  public:
    // `owner` gives the application window that owns the shell's request.
    explicit ShellPluginPlatform(std::function<HWND()> owner) : owner_(std::move(owner)) {}

    bool FileExists(const std::string& path) const override;
    PluginLaunch OpenHidden(const std::string& path) override;
    std::optional<std::uint32_t> StartedExitCode() override;
    void ForgetStarted() override { started_.Reset(); }
    bool PostCloseToPlugin() override;

  private:
    std::function<HWND()> owner_;
    UniqueHandle started_;
};

}  // namespace orv
