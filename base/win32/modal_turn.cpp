#include "base/win32/modal_turn.h"

namespace orv {
namespace {

// The interface thread owns every dialog; the turn is that thread's.
thread_local bool turnTaken = false;
thread_local HWND turnOwner = nullptr;

BOOL CALLBACK FrontDialog(HWND window, LPARAM found) {
    wchar_t name[8] = {};
    GetClassNameW(window, name, 8);
    if (IsWindowVisible(window) && IsWindowEnabled(window) && lstrcmpW(name, L"#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The open dialog: the last active pop-up of its owner, or any dialog of this thread when it
// has none (a box without owner).
void BringOpenDialogForward() {
    HWND dialog = turnOwner ? GetLastActivePopup(turnOwner) : nullptr;
    if (dialog == nullptr || dialog == turnOwner) {
        dialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &FrontDialog, reinterpret_cast<LPARAM>(&dialog));
    }
    if (dialog != nullptr) {
        SetForegroundWindow(dialog);
    }
}

}  // namespace

ModalTurn::ModalTurn(HWND owner) {
    if (turnTaken) {
        BringOpenDialogForward();
        return;
    }
    turnTaken = true;
    turnOwner = owner;
    taken_ = true;
}

ModalTurn::~ModalTurn() {
    if (taken_) {
        turnTaken = false;
        turnOwner = nullptr;
    }
}

bool ModalTurn::DialogOpen() { return turnTaken; }

}  // namespace orv
