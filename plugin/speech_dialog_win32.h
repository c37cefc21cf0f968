#pragma once
// The companion's dialog: it sets up dictation with the in-process recogniser, and turns each
// recognised phrase into one remote command sent to the monitor's floating window.

#include <windows.h>

#include "base/win32/resources.h"
#include "plugin/sapi_win32.h"

namespace orv {

// Owned by the program's entry and handed to the dialog; the context and grammar are held from
// the set-up until the dialog is destroyed.
struct PluginState {
    HINSTANCE instance = nullptr;
    // The show command the program was started with; the monitor starts it hidden.
    int showCommand = SW_SHOWNORMAL;
    HWND dialog = nullptr;
    HWND monitor = nullptr;  // looked up once, at the set-up
    ComRef<ISpRecoContext> context;
    ComRef<ISpRecoGrammar> grammar;
};

// The recogniser's notification, asked for at the set-up.
inline constexpr UINT kRecognizerNotification = WM_APP;

INT_PTR CALLBACK PluginDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace orv
