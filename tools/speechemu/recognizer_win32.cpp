// The emulated in-process recogniser: its input and its state.
#include "tools/speechemu/objects_win32.h"

namespace orv::speechemu {

HRESULT CreateRecognizer(REFIID iid, void** object) {
    // The script so far: its commands decide how the set-up goes.
    Emulator::Instance().Poll();
    Emulator::Instance().Log("CoCreateInstance SpInprocRecognizer");
    // Created holding one reference, dropped once QueryInterface has given the caller its own.
    const ComRef<Recognizer> recognizer(new Recognizer);
    return recognizer.Get()->QueryInterface(iid, object);
}

HRESULT Recognizer::QueryInterface(REFIID iid, void** object) {
    return Answer<ISpRecognizer, ISpProperties>(this, iid, object);
}

HRESULT Recognizer::SetInput(IUnknown* input, WINBOOL allowFormatChanges) {
    hasInput_ = input != nullptr;
    Emulator::Instance().Log(std::string("SetInput ") + (hasInput_ ? "object" : "none") +
                             (allowFormatChanges ? " changes allowed" : ""));
    return S_OK;
}

HRESULT Recognizer::CreateRecoContext(ISpRecoContext** context) {
    if (!context) {
        return E_POINTER;
    }
    Emulator::Instance().Log("CreateRecoContext");
    *context = new Context(this);
    return S_OK;
}

HRESULT Recognizer::GetRecoState(SPRECOSTATE* state) {
    if (!state) {
        return E_POINTER;
    }
    *state = state_;
    return S_OK;
}

HRESULT Recognizer::SetRecoState(SPRECOSTATE state) {
    Emulator& emulator = Emulator::Instance();
    emulator.Log("SetRecoState " + std::to_string(state));
    const bool activating = state == SPRST_ACTIVE || state == SPRST_ACTIVE_ALWAYS;
    if (activating && (emulator.failActivation || (emulator.requireAudio && !hasInput_))) {
        return E_FAIL;
    }
    state_ = state;
    return S_OK;
}

}  // namespace orv::speechemu
