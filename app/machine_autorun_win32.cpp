#include "app/machine_autorun_win32.h"
#include "base/win32/resources.h"

#include <windows.h>

#include <optional>

namespace orv {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kValueName[] = L"Orvane";

// The path in quotes: unquoted, a path with a blank ("C:\\Program Files\\...") could start a
// program named by its first part.
bool WriteEntry(const std::wstring& path) {
    RegistryKey run;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        run.Receive(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::wstring command = L"\"" + path + L"\"";
    const LONG result = RegSetValueExW(run.Get(), kValueName, 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(command.c_str()),
                                       static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    return result == ERROR_SUCCESS;
}

std::optional<std::wstring> ReadEntry() {
    wchar_t data[1024] = {};
    DWORD bytes = sizeof(data);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kRunKey, kValueName, RRF_RT_REG_SZ, nullptr, data,
                     &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(data);
}

// An absent key or value is already what was asked for.
bool RemoveEntry() {
    RegistryKey run;
    LONG result = RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, run.Receive());
    if (result == ERROR_FILE_NOT_FOUND) {
        return true;
    }
    if (result != ERROR_SUCCESS) {
        return false;
    }
    result = RegDeleteValueW(run.Get(), kValueName);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace

bool RunCommandNamesProgram(std::wstring_view command, std::wstring_view programPath) {
    if (command.size() >= 2 && command.front() == L'"' && command.back() == L'"') {
        command = command.substr(1, command.size() - 2);
    }
    return CompareStringOrdinal(command.data(), static_cast<int>(command.size()),
                                programPath.data(), static_cast<int>(programPath.size()),
                                TRUE) == CSTR_EQUAL;
}

// An entry of ours written unquoted by an earlier version is rewritten in quotes; if that write
// is refused, the entry still starts this program, so autorun is on all the same.
bool MachineAutorunEntry::SetEnabled(bool on) {
    if (!on) {
        return RemoveEntry();
    }
    const std::optional<std::wstring> existing = ReadEntry();
    if (existing && existing->size() == programPath_.size() + 2 &&
        RunCommandNamesProgram(*existing, programPath_)) {
        return true;  // already quoted and ours: no write, which a user without rights could not do
    }
    return WriteEntry(programPath_) ||
           (existing && RunCommandNamesProgram(*existing, programPath_));
}

std::wstring ProgramFilePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace orv
