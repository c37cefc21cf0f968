#include "remote/plugin_platform_win32.h"

#include <shellapi.h>

#include "base/win32/wide_text.h"
#include "remote/remote_command.h"

namespace orv {

bool ShellPluginPlatform::FileExists(const std::string& path) const {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ShellPluginPlatform::OpenHidden(const std::string& path) {
    // The wide entry point, so that a program folder outside the ANSI code page still works.
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
        owner_ ? owner_() : nullptr, L"open", Widen(path).c_str(), nullptr, nullptr, SW_HIDE));
    return result > 32;
}

bool ShellPluginPlatform::PostCloseToPlugin() {
    HWND plugin = FindWindowW(nullptr, Widen(kPluginCaption).c_str());
    if (!plugin) {
        return false;
    }
    // Posted, never sent: the companion may itself be waiting in a send to the monitor.
    PostMessageW(plugin, WM_CLOSE, 0, 0);
    return true;
}

}  // namespace orv
