#include "app/registry_settings_store_win32.h"

#include "base/win32/system_error.h"
#include "base/win32/wide_text.h"

namespace orv {
namespace {

constexpr wchar_t kSection[] = L"Main";

}  // namespace

RegistrySettingsStore::RegistrySettingsStore(HKEY root, const std::wstring& keyPath) {
    openError_ = RegCreateKeyExW(root, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                 key_.Receive(), nullptr);
    if (openError_ != ERROR_SUCCESS) {
        key_.Release();
    }
}

RegistrySettingsStore::~RegistrySettingsStore() = default;

HKEY RegistrySettingsStore::Section(bool create) const {
    if (section_ || !key_) {
        return section_.Get();
    }
    HKEY opened = nullptr;
    const LONG result = create ? RegCreateKeyExW(key_.Get(), kSection, 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &opened, nullptr)
                               : RegOpenKeyExW(key_.Get(), kSection, 0, KEY_ALL_ACCESS, &opened);
    if (result == ERROR_SUCCESS) {
        section_.Reset(opened);
    } else if (create) {
        openError_ = result;
    }
    return section_.Get();
}

std::optional<std::string> RegistrySettingsStore::Read(std::string_view name) const {
    const HKEY section = Section(false);
    if (!section) {
        return std::nullopt;
    }
    const std::wstring wideName = Widen(name);
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(section, wideName.c_str(), nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    if (RegQueryValueExW(section, wideName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &bytes) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    // The stored text may or may not carry its terminating zero.
    data.resize(bytes / sizeof(wchar_t));
    if (const auto end = data.find(L'\0'); end != std::wstring::npos) {
        data.resize(end);
    }
    return Narrow(data);
}

Outcome RegistrySettingsStore::Write(std::string_view name, std::string_view text) {
    const HKEY section = Section(true);
    if (!section) {
        return Outcome::Failed(SystemErrorText(static_cast<DWORD>(openError_)));
    }
    const std::wstring data = Widen(text);
    const LONG result = RegSetValueExW(section, Widen(name).c_str(), 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(data.c_str()),
                                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    if (result != ERROR_SUCCESS) {
        return Outcome::Failed(SystemErrorText(static_cast<DWORD>(result)));
    }
    return Outcome::Ok();
}

SettingsStore& ProgramSettingsStore() {
    static RegistrySettingsStore store(HKEY_CURRENT_USER, L"Software\\Quillon\\Orvane");
    return store;
}

}  // namespace orv
