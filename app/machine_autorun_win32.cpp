#include "app/machine_autorun_win32.h"
#include "base/win32/resources.h"

#include <windows.h>

namespace orv {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kValueName[] = L"Orvane";

bool WriteEntry(const std::wstring& path) {
    RegistryKey run;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        run.Receive(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG result = RegSetValueExW(run.Get(), kValueName, 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(path.c_str()),
                                       static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    return result == ERROR_SUCCESS;
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

bool MachineAutorunEntry::SetEnabled(bool on) {
    return on ? WriteEntry(programPath_) : RemoveEntry();
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
