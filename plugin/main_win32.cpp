// talvex: the speech companion. It listens for spoken English commands and sends each one to
// the monitor's floating window; it reads no arguments. It ends with exit code 0 unless its
// set-up failed, when the code says which part (PluginExit), for the monitor to show.
#include <windows.h>

#include "base/win32/resources.h"
#include "plugin/single_companion_win32.h"
#include "plugin/speech_dialog_win32.h"
#include "plugin/talvex_dialog.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    // One companion at a time: one already running is asked to end and this one takes over.
    orv::UniqueHandle alone;
    if (!orv::ReplaceRunningCompanion(alone)) {
        return static_cast<int>(orv::PluginExit::AnotherRunning);
    }
    const orv::ComApartment com;
    if (!com.Entered()) {
        return static_cast<int>(orv::PluginExit::NoRecognizer);
    }
    orv::PluginState state;
    state.instance = instance;
    state.showCommand = showCommand;
    const INT_PTR ended = DialogBoxParamW(instance, MAKEINTRESOURCEW(TALVEX_DIALOG), nullptr,
                                          orv::PluginDialogProc, reinterpret_cast<LPARAM>(&state));
    // Normally released when the dialog was destroyed; the grammar goes before its context.
    state.grammar.Reset();
    state.context.Reset();
    return ended < 0 ? static_cast<int>(orv::PluginExit::NoDialog) : static_cast<int>(ended);
}
