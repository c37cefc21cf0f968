// talvex: the speech companion. It listens for spoken English commands and sends each one to
// the monitor's floating window; it reads no arguments and always ends with exit code 0.
#include <windows.h>

#include "base/win32/resources.h"
#include "plugin/speech_dialog_win32.h"
#include "plugin/talvex_dialog.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const orv::ComApartment com;
    if (!com.Entered()) {
        return 0;
    }
    orv::PluginState state;
    state.instance = instance;
    state.showCommand = showCommand;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(TALVEX_DIALOG), nullptr, orv::PluginDialogProc,
                    reinterpret_cast<LPARAM>(&state));
    // Normally released when the dialog was destroyed; the grammar goes before its context.
    state.grammar.Reset();
    state.context.Reset();
    return 0;
}
