#include "app/single_instance_win32.h"

#include <windows.h>

#include "app/main_window_win32.h"
#include "monitor/floating_window_win32.h"

namespace orv {

bool AcquireSingleInstanceLock() {
    // The handle stays open on purpose: the system releases the lock when the process ends.
    HANDLE lock = CreateMutexW(nullptr, FALSE, L"Orvane");
    if (!lock) {
        return true;
    }
    return WaitForSingleObject(lock, 0) != WAIT_TIMEOUT;
}

namespace {

BOOL CALLBACK PostToMainWindow(HWND window, LPARAM) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, static_cast<int>(std::size(className)));
    if (lstrcmpW(className, kMainWindowClass) != 0) {
        return TRUE;
    }
    PostMessageW(window, WM_USER, kFirstShowPageCode, 0);
    return FALSE;
}

}  // namespace

void BringRunningInstanceForward() {
    // The floating window identifies the running monitor; its main window lives on the same
    // thread, which keeps another program's TForm1 out of reach.
    HWND floating = FindWindowW(kFloatingWindowClass, kFloatingWindowCaption);
    if (!floating) {
        return;
    }
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(floating, &process);
    AllowSetForegroundWindow(process);
    EnumThreadWindows(thread, PostToMainWindow, 0);
}

}  // namespace orv
