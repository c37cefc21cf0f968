// The emulated recognition context, its dictation grammar and its results.
#include <string>
#include <utility>

#include "tools/speechemu/objects_win32.h"

namespace orv::speechemu {

Context::Context(Recognizer* recognizer) : recognizer_(recognizer) {
    recognizer->AddRef();
}

Context::~Context() {
    Emulator::Instance().Detach(this);
    Emulator::Instance().Log("context released");
}

HRESULT Context::QueryInterface(REFIID iid, void** object) {
    return Answer<ISpRecoContext, ISpEventSource, ISpNotifySource>(this, iid, object);
}

HRESULT Context::SetNotifyWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Emulator::Instance().Log("SetNotifyWindowMessage " + std::to_string(message));
    window_ = window;
    message_ = message;
    wParam_ = wParam;
    lParam_ = lParam;
    Emulator::Instance().Attach(this);
    return S_OK;
}

HRESULT Context::SetInterest(ULONGLONG interest, ULONGLONG queued) {
    Emulator::Instance().Log("SetInterest " + std::to_string(interest) + " " +
                             std::to_string(queued));
    queuedInterest_ = queued;
    return S_OK;
}

void Context::Recognise(const std::vector<Recognition>& recognitions) {
    if (!dictationActive_ || !recognizer_.Get()->Active() ||
        !(queuedInterest_ & SPFEI(SPEI_RECOGNITION))) {
        Emulator::Instance().Log("dropped: not listening");
        return;
    }
    for (const Recognition& recognition : recognitions) {
        Emulator::Instance().Log("recognised " + Utf8(recognition.text));
        queue_.push_back(recognition);
    }
    if (window_) {
        PostMessageW(window_, message_, wParam_, lParam_);
    }
}

HRESULT Context::GetEvents(ULONG count, SPEVENT* events, ULONG* fetched) {
    if (!events || !fetched) {
        return E_POINTER;
    }
    *fetched = 0;
    while (*fetched < count && !queue_.empty()) {
        SPEVENT& event = events[*fetched];
        event = SPEVENT{};
        event.eEventId = SPEI_RECOGNITION;
        event.elParamType = SPET_LPARAM_IS_OBJECT;
        event.ulStreamNum = 1;
        event.lParam = reinterpret_cast<LPARAM>(
            static_cast<ISpRecoResult*>(new Result(this, std::move(queue_.front()))));
        queue_.pop_front();
        ++*fetched;
    }
    return *fetched == count ? S_OK : S_FALSE;
}

HRESULT Context::GetRecognizer(ISpRecognizer** recognizer) {
    return recognizer_.Get()->QueryInterface(__uuidof(ISpRecognizer),
                                             reinterpret_cast<void**>(recognizer));
}

HRESULT Context::CreateGrammar(ULONGLONG id, ISpRecoGrammar** grammar) {
    if (!grammar) {
        return E_POINTER;
    }
    Emulator::Instance().Log("CreateGrammar " + std::to_string(id));
    *grammar = new Grammar(this, id);
    return S_OK;
}

Grammar::Grammar(Context* context, ULONGLONG id) : context_(context), id_(id) {
    context->AddRef();
}

Grammar::~Grammar() {
    context_.Get()->SetDictationActive(false);
    Emulator::Instance().Log("grammar released");
}

HRESULT Grammar::QueryInterface(REFIID iid, void** object) {
    return Answer<ISpRecoGrammar, ISpGrammarBuilder>(this, iid, object);
}

HRESULT Grammar::GetGrammarId(ULONGLONG* id) {
    if (!id) {
        return E_POINTER;
    }
    *id = id_;
    return S_OK;
}

HRESULT Grammar::GetRecoContext(ISpRecoContext** context) {
    return context_.Get()->QueryInterface(__uuidof(ISpRecoContext),
                                          reinterpret_cast<void**>(context));
}

HRESULT Grammar::LoadDictation(LPCWSTR topic, SPLOADOPTIONS options) {
    Emulator::Instance().Log(std::string("LoadDictation ") + (topic ? Utf8(topic) : "none") +
                             (options == SPLO_STATIC ? " static" : " dynamic"));
    if (Emulator::Instance().failDictation) {
        return E_FAIL;
    }
    loaded_ = true;
    return S_OK;
}

HRESULT Grammar::UnloadDictation() {
    loaded_ = false;
    context_.Get()->SetDictationActive(false);
    return S_OK;
}

HRESULT Grammar::SetDictationState(SPRULESTATE state) {
    Emulator::Instance().Log("SetDictationState " + std::to_string(state));
    if (!loaded_) {
        return E_UNEXPECTED;
    }
    context_.Get()->SetDictationActive(state != SPRS_INACTIVE);
    return S_OK;
}

Result::Result(Context* context, Recognition recognition)
    : context_(context), recognition_(std::move(recognition)) {
    context->AddRef();
}

HRESULT Result::QueryInterface(REFIID iid, void** object) {
    return Answer<ISpRecoResult, ISpPhrase>(this, iid, object);
}

HRESULT Result::GetText(ULONG start, ULONG count, WINBOOL, LPWSTR* text, BYTE* attributes) {
    if (!text) {
        return E_POINTER;
    }
    *text = nullptr;
    if (attributes) {
        *attributes = 0;
    }
    if (!recognition_.readable) {
        Emulator::Instance().Log("GetText refused");
        return E_FAIL;
    }
    // The emulator's phrases are one element: only the whole phrase can be asked for.
    if (start != 0 && start != static_cast<ULONG>(SP_GETWHOLEPHRASE)) {
        return E_INVALIDARG;
    }
    (void)count;
    const std::size_t bytes = (recognition_.text.size() + 1) * sizeof(wchar_t);
    *text = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (!*text) {
        return E_OUTOFMEMORY;
    }
    CopyMemory(*text, recognition_.text.c_str(), bytes);
    return S_OK;
}

HRESULT Result::GetRecoContext(ISpRecoContext** context) {
    return context_.Get()->QueryInterface(__uuidof(ISpRecoContext),
                                          reinterpret_cast<void**>(context));
}

}  // namespace orv::speechemu
