#include "app/machine_autorun_win32.h"

#include "base/win32/resources.h"
#include "base/win32/system_error.h"

namespace orv {
namespace {

constexpr wchar_t kValueName[] = L"Orvane";

// What Task Manager writes when it enables an entry.
const std::vector<BYTE> kEnabledApproval{0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

std::optional<std::vector<BYTE>> ReadValue(HKEY root, const std::wstring& key, DWORD flags) {
    DWORD bytes = 0;
    if (RegGetValueW(root, key.c_str(), kValueName, flags, nullptr, nullptr, &bytes) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<BYTE> data(bytes);
    if (RegGetValueW(root, key.c_str(), kValueName, flags, nullptr, data.data(), &bytes) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    data.resize(bytes);
    return data;
}

enum class Place { Absent, Enabled, Disabled };

Place PlaceIn(const RunKeyHive& hive) {
    if (!hive.Command()) {
        return Place::Absent;
    }
    const auto approval = hive.Approval();
    return approval && ApprovalMarksDisabled(*approval) ? Place::Disabled : Place::Enabled;
}

}  // namespace

RunKeyHive::RunKeyHive(HKEY root, std::wstring versionKey)
    : root_(root), versionKey_(std::move(versionKey)) {}

std::wstring RunKeyHive::KeyOf(List list) const {
    return versionKey_ + (list == List::Run ? L"\\Run" : L"\\Explorer\\StartupApproved\\Run");
}

std::optional<std::wstring> RunKeyHive::Command() const {
    const auto data = ReadValue(root_, KeyOf(List::Run), RRF_RT_REG_SZ);
    if (!data) {
        return std::nullopt;
    }
    std::wstring text(reinterpret_cast<const wchar_t*>(data->data()),
                      data->size() / sizeof(wchar_t));
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

std::optional<std::vector<BYTE>> RunKeyHive::Approval() const {
    return ReadValue(root_, KeyOf(List::StartupApproved), RRF_RT_REG_BINARY);
}

LONG RunKeyHive::SetValue(List list, DWORD type, const void* data, DWORD bytes) {
    RegistryKey key;
    const LONG opened = RegCreateKeyExW(root_, KeyOf(list).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                        nullptr, key.Receive(), nullptr);
    if (opened != ERROR_SUCCESS) {
        return opened;
    }
    return RegSetValueExW(key.Get(), kValueName, 0, type, static_cast<const BYTE*>(data), bytes);
}

LONG RunKeyHive::DeleteValue(List list) {
    // Looked at first: a user may read the machine-wide key but not open it for a change.
    const bool present = list == List::Run ? Command().has_value() : Approval().has_value();
    if (!present) {
        return ERROR_SUCCESS;
    }
    const LONG result = RegDeleteKeyValueW(root_, KeyOf(list).c_str(), kValueName);
    return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
}

bool RunCommandNamesProgram(std::wstring_view command, std::wstring_view programPath) {
    if (command.size() >= 2 && command.front() == L'"' && command.back() == L'"') {
        command = command.substr(1, command.size() - 2);
    }
    return CompareStringOrdinal(command.data(), static_cast<int>(command.size()),
                                programPath.data(), static_cast<int>(programPath.size()),
                                TRUE) == CSTR_EQUAL;
}

bool ApprovalMarksDisabled(const std::vector<BYTE>& approval) {
    return !approval.empty() && (approval.front() & 1) != 0;
}

// The path in quotes: unquoted, a path with a blank ("C:\\Program Files\\...") could start a
// program named by its first part. An entry of ours written unquoted by an earlier version is
// rewritten in quotes; if that write is refused, it still starts this program.
LONG RunKeyAutorunEntry::EnableIn(RunKeyHive& hive, bool clearDisabledMark) {
    const std::optional<std::wstring> existing = hive.Command();
    const bool ours = existing && RunCommandNamesProgram(*existing, programPath_);
    if (!ours || existing->size() != programPath_.size() + 2) {
        const std::wstring command = L"\"" + programPath_ + L"\"";
        const LONG written =
            hive.SetValue(RunKeyHive::List::Run, REG_SZ, command.c_str(),
                          static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
        if (written != ERROR_SUCCESS && !ours) {
            return written;
        }
    }
    const auto approval = hive.Approval();
    if (clearDisabledMark && approval && ApprovalMarksDisabled(*approval)) {
        return hive.SetValue(RunKeyHive::List::StartupApproved, REG_BINARY,
                             kEnabledApproval.data(),
                             static_cast<DWORD>(kEnabledApproval.size()));
    }
    return ERROR_SUCCESS;
}

// The machine-wide key as before; where it is refused, the user's. One entry is enough: the
// user's goes when the machine-wide one took it.
Outcome RunKeyAutorunEntry::Enable(bool clearDisabledMark) {
    if (EnableIn(machine_, clearDisabledMark) == ERROR_SUCCESS) {
        user_.DeleteValue(RunKeyHive::List::Run);
        return Outcome::Ok();
    }
    const LONG result = EnableIn(user_, clearDisabledMark);
    if (result != ERROR_SUCCESS) {
        return Outcome::Failed(SystemErrorText(static_cast<DWORD>(result)));
    }
    return Outcome::Ok();
}

// Our mark goes with the entry, so that a later entry does not start out disabled.
Outcome RunKeyAutorunEntry::Disable() {
    LONG failure = ERROR_SUCCESS;
    for (RunKeyHive* hive : {&machine_, &user_}) {
        const LONG result = hive->DeleteValue(RunKeyHive::List::Run);
        if (result == ERROR_SUCCESS) {
            hive->DeleteValue(RunKeyHive::List::StartupApproved);
        } else {
            failure = result;
        }
    }
    return failure == ERROR_SUCCESS ? Outcome::Ok()
                                    : Outcome::Failed(SystemErrorText(static_cast<DWORD>(failure)));
}

bool RunKeyAutorunEntry::DisabledInStartupList() const {
    const Place machine = PlaceIn(machine_);
    const Place user = PlaceIn(user_);
    return machine != Place::Enabled && user != Place::Enabled &&
           (machine == Place::Disabled || user == Place::Disabled);
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
