#pragma once
// The autorun entry: value "Orvane" in a Run key, holding the program's path in quotes. The
// machine-wide key is tried first; where it is refused (a user without administrator rights)
// the current user's key holds it. Task Manager's "disabled" for it lives in the start-up list
// beside each Run key (Explorer\StartupApproved\Run).

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings_ports.h"

namespace orv {

// One hive's Run key and its start-up list. Writes go through the two virtual calls, so that
// tests can refuse them (Wine grants every write to root).
class RunKeyHive {
  public:
    enum class List { Run, StartupApproved };

    // `versionKey` holds Run and Explorer\StartupApproved\Run; tests give a key of their own.
    explicit RunKeyHive(HKEY root,
                        std::wstring versionKey = L"Software\\Microsoft\\Windows\\CurrentVersion");
    virtual ~RunKeyHive() = default;

    // Our value of the list (REG_SZ or REG_BINARY), absent when it cannot be read.
    std::optional<std::wstring> Command() const;
    std::optional<std::vector<BYTE>> Approval() const;

    virtual LONG SetValue(List list, DWORD type, const void* data, DWORD bytes);
    // An absent value is already what was asked for.
    virtual LONG DeleteValue(List list);

  protected:
    std::wstring KeyOf(List list) const;

  private:
    HKEY root_;
    std::wstring versionKey_;
};

class RunKeyAutorunEntry final : public AutorunEntry {
  public:
    RunKeyAutorunEntry(std::wstring programPath, RunKeyHive& machine, RunKeyHive& user)
        : programPath_(std::move(programPath)), machine_(machine), user_(user) {}
    Outcome Enable(bool clearDisabledMark) override;
    Outcome Disable() override;
    bool DisabledInStartupList() const override;

  private:
    LONG EnableIn(RunKeyHive& hive, bool clearDisabledMark);

    std::wstring programPath_;
    RunKeyHive& machine_;
    RunKeyHive& user_;
};

// Whether a Run command names the program: its path, quoted or not (as earlier versions wrote
// it), letters in any case.
bool RunCommandNamesProgram(std::wstring_view command, std::wstring_view programPath);

// Task Manager's mark: twelve bytes, the first one odd (03) for disabled, even (02, 06) for
// enabled, followed by the time of the change.
bool ApprovalMarksDisabled(const std::vector<BYTE>& approval);

// The full path of the running program file.
std::wstring ProgramFilePath();

}  // namespace orv
