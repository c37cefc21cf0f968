#pragma once
// The emulated in-process recogniser: what a test's control file has said so far, the log of
// the calls made, and the COM objects that talvex uses. One per process.

#include <windows.h>

#include <atomic>
#include <string>
#include <string_view>
#include <vector>

#include "plugin/sapi_win32.h"
#include "tools/speechemu/control_script.h"

namespace orv::speechemu {

struct Recognition {
    std::wstring text;
    bool readable = true;
};

// Where recognitions go: the recognition context, while dictation listens.
class RecognitionSink {
  public:
    virtual ~RecognitionSink() = default;
    virtual void Recognise(const std::vector<Recognition>& recognitions) = 0;
};

class Emulator {
  public:
    static Emulator& Instance();

    // Appends one line to the file named by ORVANE_SPEECH_LOG, when it is set.
    void Log(std::string_view line);
    // Reads what was appended to the file named by ORVANE_SPEECH_CONTROL since the last read,
    // applies its commands and hands its recognitions to the sink.
    void Poll();

    // A context starts listening for the script's recognitions; a thread timer polls the file
    // on the context's own thread, so every COM call stays in its apartment.
    void Attach(RecognitionSink* sink);
    void Detach(RecognitionSink* sink);

    bool failActivation = false;
    bool failDictation = false;
    bool requireAudio = false;

  private:
    Emulator() = default;
    std::vector<std::string> ReadNewLines();

    RecognitionSink* sink_ = nullptr;
    UINT_PTR timer_ = 0;
    long long offset_ = 0;
    LineSplitter lines_;
};

// Objects alive and server locks, for DllCanUnloadNow.
extern std::atomic<long> g_objects;

// The factory's products.
HRESULT CreateRecognizer(REFIID iid, void** object);

// Reference counting shared by the emulator's objects.
class ComCounted {
  public:
    ComCounted() { ++g_objects; }
    virtual ~ComCounted() { --g_objects; }
    ComCounted(const ComCounted&) = delete;
    ComCounted& operator=(const ComCounted&) = delete;

  protected:
    ULONG AddReference() { return static_cast<ULONG>(++references_); }
    ULONG DropReference() {
        const long left = --references_;
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

  private:
    std::atomic<long> references_{1};
};

std::string Utf8(std::wstring_view text);
std::wstring Wide(std::string_view utf8);

}  // namespace orv::speechemu
