#include "monitor/popup_menu_win32.h"

#include "base/win32/wide_text.h"
#include "monitor/popup_menu.h"

namespace orv {

PopupMenu::PopupMenu() : menu_(CreatePopupMenu()) {
    for (const PopupMenuEntry& entry : PopupMenuEntries()) {
        if (entry.command == kSeparator) {
            AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(menu_, MF_STRING, static_cast<UINT_PTR>(entry.command),
                        Widen(entry.text).c_str());
        }
    }
}

PopupMenu::~PopupMenu() {
    DestroyMenu(menu_);
}

void PopupMenu::EnableLineEntries(const LineEntries& entries) const {
    EnableMenuItem(menu_, kConnectCommand, MF_BYCOMMAND | (entries.connect ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu_, kDisconnectCommand,
                   MF_BYCOMMAND | (entries.disconnect ? MF_ENABLED : MF_GRAYED));
}

void PopupMenu::Open(HWND owner, POINT screen) const {
    // Without the owner in the foreground the menu of a tray icon would not close when the
    // user clicks elsewhere; the posted null message lets it close on the next click.
    SetForegroundWindow(owner);
    TrackPopupMenuEx(menu_, TPM_RIGHTBUTTON, screen.x, screen.y, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
}

}  // namespace orv
