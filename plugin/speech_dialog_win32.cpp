#include "plugin/speech_dialog_win32.h"

#include <string>

#include "plugin/talvex_dialog.h"
#include "remote/command_phrases.h"
#include "remote/remote_command.h"

namespace orv {
namespace {

constexpr UINT_PTR kMonitorCheckTimer = 1;

ComRef<ISpAudio> DefaultAudioInput() {
    ComRef<ISpObjectTokenCategory> category;
    if (FAILED(CoCreateInstance(sapi::kSpObjectTokenCategory, nullptr, CLSCTX_ALL,
                                IID_PPV_ARGS(category.Receive()))) ||
        FAILED(category.Get()->SetId(SPCAT_AUDIOIN, TRUE))) {
        return {};
    }
    CoTaskText id;
    if (FAILED(category.Get()->GetDefaultTokenId(id.Receive())) || !id) {
        return {};
    }
    ComRef<ISpObjectToken> token;
    if (FAILED(CoCreateInstance(sapi::kSpObjectToken, nullptr, CLSCTX_ALL,
                                IID_PPV_ARGS(token.Receive()))) ||
        FAILED(token.Get()->SetId(nullptr, id.Get(), FALSE))) {
        return {};
    }
    ComRef<ISpAudio> audio;
    token.Get()->CreateInstance(nullptr, CLSCTX_ALL, __uuidof(ISpAudio),
                                reinterpret_cast<void**>(audio.Receive()));
    return audio;
}

// Recogniser activation and static dictation; the result of the last step run.
HRESULT StartDictation(ISpRecognizer& recognizer, PluginState& state, bool& activated) {
    HRESULT result = recognizer.SetRecoState(SPRST_ACTIVE);
    activated = SUCCEEDED(result);
    if (SUCCEEDED(result)) {
        result = state.context.Get()->CreateGrammar(0, state.grammar.Receive());
    }
    if (SUCCEEDED(result)) {
        result = state.grammar.Get()->LoadDictation(nullptr, SPLO_STATIC);
    }
    if (SUCCEEDED(result)) {
        result = state.grammar.Get()->SetDictationState(SPRS_ACTIVE);
    }
    if (FAILED(result)) {
        state.grammar.Reset();
    }
    return result;
}

// What failed, from the result of the last step of activation and dictation.
PluginExit DictationFailure(HRESULT result, bool activated, bool audioFound) {
    if (result == S_OK) {
        return PluginExit::Normal;
    }
    if (activated) {
        return PluginExit::DictationRefused;
    }
    return audioFound ? PluginExit::ActivationRefused : PluginExit::NoAudioInput;
}

// Normal when dictation is listening and the monitor's window is known; otherwise the part that
// failed (none for a missing monitor window, where nobody is there to be told).
PluginExit SetUp(PluginState& state) {
    ComRef<ISpRecognizer> recognizer;
    if (FAILED(CoCreateInstance(sapi::kSpInprocRecognizer, nullptr, CLSCTX_ALL,
                                IID_PPV_ARGS(recognizer.Receive()))) ||
        FAILED(recognizer.Get()->CreateRecoContext(state.context.Receive()))) {
        return PluginExit::NoRecognizer;
    }
    if (SUCCEEDED(state.context.Get()->SetNotifyWindowMessage(state.dialog, kRecognizerNotification,
                                                              0, 0))) {
        state.context.Get()->SetInterest(SPFEI(SPEI_RECOGNITION), SPFEI(SPEI_RECOGNITION));
    }
    const ComRef<ISpAudio> audio = DefaultAudioInput();
    recognizer.Get()->SetInput(audio.Get(), TRUE);
    bool activated = false;
    const HRESULT started = StartDictation(*recognizer.Get(), state, activated);
    state.monitor = FindWindowA(kMonitorWindowClass.data(), kMonitorWindowCaption.data());
    // The audio object and our own reference to the recogniser go here; the context keeps the
    // recogniser alive.
    if (!state.monitor) {
        return PluginExit::Normal;
    }
    return DictationFailure(started, activated, audio.Get() != nullptr);
}

// The monitor's floating window, and not another window that took its handle since.
bool MonitorStillThere(HWND monitor) {
    char className[16] = {};
    return IsWindow(monitor) && GetClassNameA(monitor, className, sizeof(className)) > 0 &&
           kMonitorWindowClass == className;
}

std::string ToAnsi(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), ansi.data(),
                            size, nullptr, nullptr);
    }
    return ansi;
}

void OnRecognition(const PluginState& state, ISpRecoResult* result) {
    std::wstring text = L"<Unrecognized>";
    CoTaskText phrase;
    if (result &&
        SUCCEEDED(result->GetText(SP_GETWHOLEPHRASE, SP_GETWHOLEPHRASE, TRUE, phrase.Receive(),
                                  nullptr)) &&
        phrase) {
        text = phrase.Get();
    }
    const std::wstring logged = text + L" ";
    SendDlgItemMessageW(state.dialog, TALVEX_LOG_EDIT, EM_REPLACESEL, TRUE,
                        reinterpret_cast<LPARAM>(logged.c_str()));
    if (const auto command = CommandForText(ToAnsi(text)); command && state.monitor) {
        // Sent, so the monitor has handled one command before the next is taken.
        SendMessageA(state.monitor, kRemoteCommandMessage, CodeOf(*command), 0);
    }
}

// Every event queued so far, in order; recognitions made meanwhile wait for the next pass.
void OnRecognizerEvents(PluginState& state) {
    SPEVENT event{};
    ULONG fetched = 0;
    while (state.context && state.context.Get()->GetEvents(1, &event, &fetched) == S_OK) {
        if (event.eEventId == SPEI_RECOGNITION) {
            OnRecognition(state, reinterpret_cast<ISpRecoResult*>(event.lParam));
        }
        sapi::ClearEvent(event);
    }
}

void OnInitDialog(PluginState& state) {
    const PluginExit setUp = SetUp(state);
    if (setUp != PluginExit::Normal || !state.monitor) {
        // Nothing is shown; the program ends with the dialog, and its exit code tells the
        // monitor why.
        EndDialog(state.dialog, static_cast<INT_PTR>(setUp));
        return;
    }
    // A monitor that ended without closing us (killed, crashed) leaves nobody to serve.
    SetTimer(state.dialog, kMonitorCheckTimer, kMonitorCheckMs, nullptr);
}

void OnTimer(PluginState& state, WPARAM timer) {
    if (timer == kMonitorCheckTimer && !MonitorStillThere(state.monitor)) {
        EndDialog(state.dialog, static_cast<INT_PTR>(PluginExit::Normal));
    }
}

void OnDestroy(PluginState& state) {
    KillTimer(state.dialog, kMonitorCheckTimer);
    state.grammar.Reset();
    state.context.Reset();
}

}  // namespace

INT_PTR CALLBACK PluginDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* state = reinterpret_cast<PluginState*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        state->dialog = dialog;
        OnInitDialog(*state);
        return TRUE;
    }
    auto* state = reinterpret_cast<PluginState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!state) {
        return FALSE;
    }
    switch (message) {
        case WM_COMMAND:
            // Only the exit button acts; other commands (the Esc key's among them) are swallowed.
            if (LOWORD(wParam) == TALVEX_EXIT_BUTTON) {
                EndDialog(dialog, 0);
            }
            return TRUE;
        case WM_CLOSE:
            EndDialog(dialog, 0);
            return TRUE;
        case kRecognizerNotification:
            OnRecognizerEvents(*state);
            return TRUE;
        case WM_TIMER:
            OnTimer(*state, wParam);
            return TRUE;
        case WM_WINDOWPOSCHANGING:
            // The modal dialog shows itself whatever the start-up asked; a hidden start stays
            // hidden.
            if (state->showCommand == SW_HIDE) {
                reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
            }
            return FALSE;
        case WM_DESTROY:
            OnDestroy(*state);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace orv
