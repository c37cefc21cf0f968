#include "remote/plugin_platform_win32.h"

#include <shellapi.h>

#include "base/win32/system_error.h"
#include "base/win32/wide_text.h"
#include "remote/remote_command.h"

namespace orv {

bool ShellPluginPlatform::FileExists(const std::string& path) const {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The wide entry point, so that a program folder outside the ANSI code page still works. The
// shell shows no box of its own: the refusal is the status bar's.
PluginLaunch ShellPluginPlatform::OpenHidden(const std::string& path) {
    started_.Reset();
    const std::wstring file = Widen(path);
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof(request);
    request.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    request.hwnd = owner_ ? owner_() : nullptr;
    request.lpVerb = L"open";
    request.lpFile = file.c_str();
    request.nShow = SW_HIDE;
    if (!ShellExecuteExW(&request)) {
        const DWORD error = GetLastError() != 0 ? GetLastError() : ERROR_ACCESS_DENIED;
        return {static_cast<std::uint32_t>(error), SystemErrorText(error)};
    }
    // Without a process (a start the shell handed on) there is nothing to watch.
    started_.Reset(request.hProcess);
    return {};
}

std::optional<std::uint32_t> ShellPluginPlatform::StartedExitCode() {
    DWORD code = STILL_ACTIVE;
    if (!started_ || WaitForSingleObject(started_.Get(), 0) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(started_.Get(), &code)) {
        return std::nullopt;
    }
    return code;
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
