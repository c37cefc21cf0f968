#pragma once
// The shared pop-up menu as a platform menu, built from the portable entry table. Choosing an
// entry sends WM_COMMAND with the entry's command to the window the menu was opened for.

#include <windows.h>

#include "monitor/popup_menu.h"

namespace orv {

class PopupMenu {
  public:
    PopupMenu();
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    HMENU Handle() const { return menu_; }
    void EnableLineEntries(const LineEntries& entries) const;
    // Opens the menu at a screen point for `owner`, which receives the chosen command.
    void Open(HWND owner, POINT screen) const;

  private:
    HMENU menu_;
};

}  // namespace orv
