#pragma once
// The emulated recogniser's COM objects: the in-process recogniser, its recognition context
// (window-message notification and an event queue), the dictation grammar and the results.
// What talvex calls is implemented; every other method answers E_NOTIMPL.

#include <windows.h>

#include <deque>

#include "base/win32/resources.h"
#include "tools/speechemu/emulator_win32.h"

namespace orv::speechemu {

class Recognizer final : public ISpRecognizer, ComCounted {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
    ULONG STDMETHODCALLTYPE Release() override { return DropReference(); }

    HRESULT STDMETHODCALLTYPE SetInput(IUnknown* input, WINBOOL allowFormatChanges) override;
    HRESULT STDMETHODCALLTYPE CreateRecoContext(ISpRecoContext** context) override;
    HRESULT STDMETHODCALLTYPE GetRecoState(SPRECOSTATE* state) override;
    HRESULT STDMETHODCALLTYPE SetRecoState(SPRECOSTATE state) override;

    bool Active() const { return state_ == SPRST_ACTIVE || state_ == SPRST_ACTIVE_ALWAYS; }

    // Not used by talvex.
    HRESULT STDMETHODCALLTYPE SetPropertyNum(LPCWSTR, LONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPropertyNum(LPCWSTR, LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetPropertyString(LPCWSTR, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPropertyString(LPCWSTR, LPWSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetRecognizer(ISpObjectToken*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetRecognizer(ISpObjectToken**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetInputObjectToken(ISpObjectToken**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetInputStream(ISpStreamFormat**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetRecoProfile(ISpObjectToken**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetRecoProfile(ISpObjectToken*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE IsSharedInstance() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetStatus(SPRECOGNIZERSTATUS*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFormat(SPSTREAMFORMATTYPE, GUID*, WAVEFORMATEX**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE IsUISupported(LPCWSTR, void*, ULONG, WINBOOL*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DisplayUI(HWND, LPCWSTR, LPCWSTR, void*, ULONG) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE EmulateRecognition(ISpPhrase*) override { return E_NOTIMPL; }

  private:
    bool hasInput_ = false;
    SPRECOSTATE state_ = SPRST_INACTIVE;
};

class Context final : public ISpRecoContext, public RecognitionSink, ComCounted {
  public:
    explicit Context(Recognizer* recognizer);
    ~Context() override;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
    ULONG STDMETHODCALLTYPE Release() override { return DropReference(); }

    HRESULT STDMETHODCALLTYPE SetNotifyWindowMessage(HWND window, UINT message, WPARAM wParam,
                                                     LPARAM lParam) override;
    HRESULT STDMETHODCALLTYPE SetInterest(ULONGLONG interest, ULONGLONG queued) override;
    HRESULT STDMETHODCALLTYPE GetEvents(ULONG count, SPEVENT* events, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE GetRecognizer(ISpRecognizer** recognizer) override;
    HRESULT STDMETHODCALLTYPE CreateGrammar(ULONGLONG id, ISpRecoGrammar** grammar) override;

    // RecognitionSink: queued only while dictation listens, then one notification.
    void Recognise(const std::vector<Recognition>& recognitions) override;
    void SetDictationActive(bool active) { dictationActive_ = active; }

    // Not used by talvex.
    HRESULT STDMETHODCALLTYPE SetNotifySink(ISpNotifySink*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetNotifyCallbackFunction(SPNOTIFYCALLBACK*, WPARAM,
                                                        LPARAM) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetNotifyCallbackInterface(ISpNotifyCallback*, WPARAM,
                                                         LPARAM) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetNotifyWin32Event() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE WaitForNotifyEvent(DWORD) override { return E_NOTIMPL; }
    HANDLE STDMETHODCALLTYPE GetNotifyEventHandle() override { return nullptr; }
    HRESULT STDMETHODCALLTYPE GetInfo(SPEVENTSOURCEINFO*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetStatus(SPRECOCONTEXTSTATUS*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMaxAlternates(ULONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMaxAlternates(ULONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetAudioOptions(SPAUDIOOPTIONS, const GUID*,
                                              const WAVEFORMATEX*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetAudioOptions(SPAUDIOOPTIONS*, GUID*, WAVEFORMATEX**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DeserializeResult(const SPSERIALIZEDRESULT*,
                                                ISpRecoResult**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Bookmark(SPBOOKMARKOPTIONS, ULONGLONG, LPARAM) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetAdaptationData(LPCWSTR, const ULONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Pause(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Resume(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetVoice(ISpVoice*, WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVoice(ISpVoice**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetVoicePurgeEvent(ULONGLONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVoicePurgeEvent(ULONGLONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetContextState(SPCONTEXTSTATE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetContextState(SPCONTEXTSTATE*) override { return E_NOTIMPL; }

  private:
    ComRef<Recognizer> recognizer_;
    std::deque<Recognition> queue_;
    HWND window_ = nullptr;
    UINT message_ = 0;
    WPARAM wParam_ = 0;
    LPARAM lParam_ = 0;
    ULONGLONG queuedInterest_ = SPFEI(SPEI_RECOGNITION);
    bool dictationActive_ = false;
};

class Grammar final : public ISpRecoGrammar, ComCounted {
  public:
    Grammar(Context* context, ULONGLONG id);
    ~Grammar() override;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
    ULONG STDMETHODCALLTYPE Release() override { return DropReference(); }

    HRESULT STDMETHODCALLTYPE GetGrammarId(ULONGLONG* id) override;
    HRESULT STDMETHODCALLTYPE GetRecoContext(ISpRecoContext** context) override;
    HRESULT STDMETHODCALLTYPE LoadDictation(LPCWSTR topic, SPLOADOPTIONS options) override;
    HRESULT STDMETHODCALLTYPE UnloadDictation() override;
    HRESULT STDMETHODCALLTYPE SetDictationState(SPRULESTATE state) override;

    // Not used by talvex.
    HRESULT STDMETHODCALLTYPE ResetGrammar(WORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetRule(LPCWSTR, DWORD, DWORD, WINBOOL, SPSTATEHANDLE*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ClearRule(SPSTATEHANDLE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateNewState(SPSTATEHANDLE, SPSTATEHANDLE*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE AddWordTransition(SPSTATEHANDLE, SPSTATEHANDLE, LPCWSTR, LPCWSTR,
                                                SPGRAMMARWORDTYPE, float,
                                                const SPPROPERTYINFO*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE AddRuleTransition(SPSTATEHANDLE, SPSTATEHANDLE, SPSTATEHANDLE, float,
                                                const SPPROPERTYINFO*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE AddResource(SPSTATEHANDLE, LPCWSTR, LPCWSTR) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LoadCmdFromFile(LPCWSTR, SPLOADOPTIONS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LoadCmdFromObject(REFCLSID, LPCWSTR, SPLOADOPTIONS) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE LoadCmdFromResource(HMODULE, LPCWSTR, LPCWSTR, WORD,
                                                  SPLOADOPTIONS) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE LoadCmdFromMemory(const SPBINARYGRAMMAR*, SPLOADOPTIONS) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE LoadCmdFromProprietaryGrammar(REFGUID, LPCWSTR, const void*, ULONG,
                                                            SPLOADOPTIONS) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetRuleState(LPCWSTR, void*, SPRULESTATE) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetRuleIdState(ULONG, SPRULESTATE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetWordSequenceData(const WCHAR*, ULONG,
                                                  const SPTEXTSELECTIONINFO*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetTextSelection(const SPTEXTSELECTIONINFO*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE IsPronounceable(LPCWSTR, SPWORDPRONOUNCEABLE*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetGrammarState(SPGRAMMARSTATE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SaveCmd(IStream*, LPWSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetGrammarState(SPGRAMMARSTATE*) override { return E_NOTIMPL; }

  private:
    ComRef<Context> context_;
    ULONGLONG id_;
    bool loaded_ = false;
};

class Result final : public ISpRecoResult, ComCounted {
  public:
    Result(Context* context, Recognition recognition);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
    ULONG STDMETHODCALLTYPE Release() override { return DropReference(); }

    HRESULT STDMETHODCALLTYPE GetText(ULONG start, ULONG count, WINBOOL replacements, LPWSTR* text,
                                      BYTE* attributes) override;
    HRESULT STDMETHODCALLTYPE GetRecoContext(ISpRecoContext** context) override;

    // Not used by talvex.
    HRESULT STDMETHODCALLTYPE GetPhrase(SPPHRASE**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSerializedPhrase(SPSERIALIZEDPHRASE**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Discard(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetResultTimes(SPRECORESULTTIMES*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetAlternates(ULONG, ULONG, ULONG, ISpPhraseAlt**, ULONG*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetAudio(ULONG, ULONG, ISpStreamFormat**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SpeakAudio(ULONG, ULONG, DWORD, ULONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Serialize(SPSERIALIZEDRESULT**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ScaleAudio(const GUID*, const WAVEFORMATEX*) override {
        return E_NOTIMPL;
    }

  private:
    ComRef<Context> context_;
    Recognition recognition_;
};

// Hands out `object` as `iid` when it is its primary interface, one of the other interfaces
// it derives from, or IUnknown; with a new reference.
template <typename Primary, typename... Others>
HRESULT Answer(Primary* object, REFIID iid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    if (iid == __uuidof(IUnknown) || iid == __uuidof(Primary) ||
        ((iid == __uuidof(Others)) || ...)) {
        object->AddRef();
        *out = object;
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

}  // namespace orv::speechemu
