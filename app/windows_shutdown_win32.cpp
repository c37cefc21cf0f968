#include "app/windows_shutdown_win32.h"

#include "base/win32/system_error.h"

namespace orv {

WindowsShutdown::~WindowsShutdown() = default;

std::optional<PlatformVersion> WindowsShutdown::QueryVersion() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);  // the basic record, 148 bytes
    if (!GetVersionExA(&info)) {
        return std::nullopt;
    }
    return PlatformVersion{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion,
                           info.dwBuildNumber, info.szCSDVersion};
}

bool WindowsShutdown::OpenOwnToken() {
    return ::OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                              token_.Receive()) != FALSE;
}

bool WindowsShutdown::LookupShutdownPrivilege() {
    return LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privilege_) != FALSE;
}

bool WindowsShutdown::EnableShutdownPrivilege() {
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Luid = privilege_;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    // Success with a non-zero last error means the privilege was not granted.
    const BOOL adjusted =
        AdjustTokenPrivileges(token_.Get(), FALSE, &privileges, 0, nullptr, nullptr);
    return adjusted && GetLastError() == ERROR_SUCCESS;
}

Outcome WindowsShutdown::RequestShutdown(std::uint32_t flags) {
    // A planned shut-down asked for by an application, as the system's shut-down log names it.
    if (!ExitWindowsEx(flags, SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_MINOR_OTHER |
                                  SHTDN_REASON_FLAG_PLANNED)) {
        return Outcome::Failed(LastErrorText());
    }
    return Outcome::Ok();
}

std::string VersionText() {
    return FormatVersionText(WindowsShutdown().QueryVersion());
}

}  // namespace orv
