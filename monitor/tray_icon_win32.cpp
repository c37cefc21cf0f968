#include "monitor/tray_icon_win32.h"

#include <cwchar>

#include "base/win32/wide_text.h"

namespace orv {
namespace {

constexpr UINT kIconId = 1;
constexpr wchar_t kIconTip[] = L"Orvane";
constexpr wchar_t kBalloonTitle[] = L"Information";
constexpr UINT kBalloonMs = 10000;

class ShellNotifyIcon final : public NotifyIconShell {
  public:
    bool Notify(DWORD message, NOTIFYICONDATAW& data) override {
        return Shell_NotifyIconW(message, &data) != FALSE;
    }
};

template <std::size_t N>
void CopyTruncated(wchar_t (&target)[N], std::wstring_view text) {
    const std::size_t length = text.size() < N ? text.size() : N - 1;
    std::wmemcpy(target, text.data(), length);
    target[length] = L'\0';
}

struct IconSearch {
    int size;
    HICON found = nullptr;
};

// A resource name is valid only during the enumeration, so the icon is loaded right here.
BOOL CALLBACK LoadFirstIcon(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR search) {
    auto& wanted = *reinterpret_cast<IconSearch*>(search);
    wanted.found = static_cast<HICON>(
        LoadImageW(module, name, IMAGE_ICON, wanted.size, wanted.size, LR_SHARED));
    return FALSE;
}

}  // namespace

NotifyIconShell& SystemNotifyIconShell() {
    static ShellNotifyIcon shell;
    return shell;
}

NOTIFYICONDATAW TrayIcon::BaseData() const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner_;
    data.uID = kIconId;
    return data;
}

bool TrayIcon::Add(HWND owner, HICON icon) {
    owner_ = owner;
    icon_ = icon;
    NOTIFYICONDATAW data = BaseData();
    return AddWith(data);
}

bool TrayIcon::Readd() {
    if (!owner_) {
        return false;
    }
    NOTIFYICONDATAW data = BaseData();
    return AddWith(data);
}

bool TrayIcon::AddWith(NOTIFYICONDATAW& data) {
    // No NIF_SHOWTIP: with version 4 the shell then reports hovering instead of showing the
    // short tip itself, and the program shows its own information hint.
    data.uFlags |= NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = icon_;
    CopyTruncated(data.szTip, kIconTip);
    if (!shell_.Notify(NIM_ADD, data)) {
        return false;
    }
    data.uVersion = NOTIFYICON_VERSION_4;
    shell_.Notify(NIM_SETVERSION, data);
    return true;
}

void TrayIcon::Remove() {
    if (!owner_) {
        return;
    }
    NOTIFYICONDATAW data = BaseData();
    shell_.Notify(NIM_DELETE, data);
    owner_ = nullptr;
}

void TrayIcon::ShowBalloon(std::string_view text) {
    if (!owner_) {
        return;
    }
    NOTIFYICONDATAW data = BaseData();
    data.uFlags = NIF_INFO;
    // Balloons come from events, not from the user's action: they wait out quiet time.
    data.dwInfoFlags = NIIF_INFO | NIIF_RESPECT_QUIET_TIME;
    data.uTimeout = kBalloonMs;
    CopyTruncated(data.szInfoTitle, kBalloonTitle);
    CopyTruncated(data.szInfo, Widen(text));
    // A failed update means the shell no longer has the icon: add it again with the balloon.
    if (!shell_.Notify(NIM_MODIFY, data)) {
        AddWith(data);
    }
}

HICON ProgramIcon(HINSTANCE instance, IconSize size) {
    IconSearch search{GetSystemMetrics(size == IconSize::Small ? SM_CXSMICON : SM_CXICON)};
    EnumResourceNamesW(instance, RT_GROUP_ICON, LoadFirstIcon, reinterpret_cast<LONG_PTR>(&search));
    return search.found ? search.found : LoadIconW(nullptr, IDI_APPLICATION);
}

}  // namespace orv
