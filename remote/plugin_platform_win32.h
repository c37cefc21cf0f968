#pragma once
// The speech companion as the monitor's platform sees it: a file, the shell's "open", and a
// window captioned "DialUp Talvex".

#include <windows.h>

#include <functional>

#include "remote/plugin_control.h"

namespace orv {

class ShellPluginPlatform final : public PluginPlatform {
  public:
    // `owner` gives the application window that owns the shell's request.
    explicit ShellPluginPlatform(std::function<HWND()> owner) : owner_(std::move(owner)) {}

    bool FileExists(const std::string& path) const override;
    bool OpenHidden(const std::string& path) override;
    bool PostCloseToPlugin() override;

  private:
    std::function<HWND()> owner_;
};

}  // namespace orv
