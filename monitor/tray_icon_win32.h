#pragma once
// The program's notification-area icon: added with NOTIFYICON_VERSION_4 so that the hover
// reports (NIN_POPUPOPEN / NIN_POPUPCLOSE) arrive, re-added whenever the shell has lost it,
// and the source of the "Information" notification balloons.

#include <windows.h>

#include <shellapi.h>

#include <string_view>

#include "base/win32/messages.h"

namespace orv {

// Shell_NotifyIconW behind an interface, so tests can see what the icon asks of the shell.
class NotifyIconShell {
  public:
    virtual ~NotifyIconShell() = default;
    virtual bool Notify(DWORD message, NOTIFYICONDATAW& data) = 0;
};

// The real shell.
NotifyIconShell& SystemNotifyIconShell();

// The message the icon's reports arrive with at its owner window.
inline constexpr UINT kTrayCallbackMessage = messages::kTrayCallback;

class TrayIcon {
  public:
    explicit TrayIcon(NotifyIconShell& shell) : shell_(shell) {}
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Shows `icon` in the notification area; its reports go to `owner`. False when the shell
    // refused, which happens while Explorer is not running; Readd follows its restart.
    bool Add(HWND owner, HICON icon);
    // After the shell's "TaskbarCreated" broadcast: the icons of the old shell are gone.
    bool Readd();
    void Remove();
    // The icon's own balloon titled "Information", with the information icon, for 10 seconds.
    void ShowBalloon(std::string_view text);

  private:
    NOTIFYICONDATAW BaseData() const;
    bool AddWith(NOTIFYICONDATAW& data);

    NotifyIconShell& shell_;
    HWND owner_ = nullptr;
    HICON icon_ = nullptr;
};

enum class IconSize { Small, Large };

// The program's icon in the system's small (tray, captions) or large (about page, task
// switcher) size: the executable's first icon resource, or the system's application icon.
HICON ProgramIcon(HINSTANCE instance, IconSize size = IconSize::Small);

}  // namespace orv
