#pragma once
// The settings in the registry: one key opened (and created) once with full access and kept
// open, every value a REG_SZ text in its subkey "Main", which the first write creates.

#include <windows.h>

#include <string>

#include "app/settings_store.h"
#include "base/win32/resources.h"

namespace orv {

class RegistrySettingsStore : public SettingsStore {
  public:
    RegistrySettingsStore(HKEY root, const std::wstring& keyPath);
    ~RegistrySettingsStore() override;
    RegistrySettingsStore(const RegistrySettingsStore&) = delete;
    RegistrySettingsStore& operator=(const RegistrySettingsStore&) = delete;

    // A value of another type than REG_SZ counts as absent.
    std::optional<std::string> Read(std::string_view name) const override;
    Outcome Write(std::string_view name, std::string_view text) override;

  private:
    HKEY Section(bool create) const;

    RegistryKey key_;
    mutable RegistryKey section_;
    mutable LONG openError_ = ERROR_SUCCESS;  // why the key or its section could not be opened
};

// The program's store under the current user's Software\Quillon\Orvane, opened at the first
// call (the tray icon's start) and closed when the program ends.
SettingsStore& ProgramSettingsStore();

}  // namespace orv
