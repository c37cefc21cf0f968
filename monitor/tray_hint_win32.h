#pragma once
// The information hint shown while the pointer rests on the tray icon: a balloon tooltip with
// the header "Information", the information icon and a close button, tracked at a point of
// the screen. It hides on request or after five seconds, whichever comes first.

#include <windows.h>

#include <commctrl.h>

#include <string_view>

#include "monitor/tray_hint_layout.h"

namespace orv {

class TrayHint {
  public:
    // The timer runs on the owner window, which hands WM_TIMER with this id to TimerElapsed.
    static constexpr UINT_PTR kTimerId = 0x4F48;
    static constexpr UINT kVisibleMs = 5000;

    TrayHint() = default;
    ~TrayHint();
    TrayHint(const TrayHint&) = delete;
    TrayHint& operator=(const TrayHint&) = delete;

    bool Create(HINSTANCE instance, HWND owner);
    HWND Window() const { return tooltip_; }

    // `body` is shown as given; line breaks are CR LF.
    void Show(ScreenPoint anchor, std::string_view body);
    void Hide();
    void TimerElapsed() { Hide(); }
    // The tooltip goes with its owner; called while the owner is being destroyed.
    void Destroy();

  private:
    TOOLINFOW Tool(wchar_t* text) const;

    HWND owner_ = nullptr;
    HWND tooltip_ = nullptr;
};

}  // namespace orv
