#include "tools/speechemu/emulator_win32.h"

#include <algorithm>

#include "base/win32/resources.h"

namespace orv::speechemu {
namespace {

constexpr UINT kPollMs = 100;  // well inside the half second a test waits at most

std::wstring Variable(const wchar_t* name) {
    wchar_t value[MAX_PATH * 2] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH * 2);
    return length > 0 && length < MAX_PATH * 2 ? std::wstring(value, length) : std::wstring();
}

void CALLBACK PollTimer(HWND, UINT, UINT_PTR, DWORD) {
    Emulator::Instance().Poll();
}

}  // namespace

std::atomic<long> g_objects{0};

std::string Utf8(std::wstring_view text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(std::max(size, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

std::wstring Wide(std::string_view utf8) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), result.data(),
                        size);
    return result;
}

Emulator& Emulator::Instance() {
    static Emulator emulator;
    return emulator;
}

void Emulator::Log(std::string_view line) {
    const std::wstring path = Variable(L"ORVANE_SPEECH_LOG");
    if (path.empty()) {
        return;
    }
    const UniqueHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return;
    }
    const std::string text = std::string(line) + "\n";
    DWORD written = 0;
    WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::vector<std::string> Emulator::ReadNewLines() {
    const std::wstring path = Variable(L"ORVANE_SPEECH_CONTROL");
    if (path.empty()) {
        return {};
    }
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return {};
    }
    LARGE_INTEGER at{};
    at.QuadPart = offset_;
    SetFilePointerEx(file.Get(), at, nullptr, FILE_BEGIN);
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    offset_ += static_cast<long long>(bytes.size());
    return lines_.Feed(bytes);
}

void Emulator::Poll() {
    std::vector<Recognition> heard;
    for (const std::string& text : ReadNewLines()) {
        ControlLine line = ParseControlLine(text);
        switch (line.kind) {
            case LineKind::Recognitions:
                for (const std::string& phrase : line.phrases) {
                    heard.push_back({Wide(phrase), true});
                }
                break;
            case LineKind::Unreadable:
                heard.push_back({L"", false});
                break;
            case LineKind::FailActivation:
                failActivation = true;
                break;
            case LineKind::FailDictation:
                failDictation = true;
                break;
            case LineKind::RequireAudio:
                requireAudio = true;
                break;
            case LineKind::Ignored:
                break;
        }
        // Recognitions of one line are delivered together, before one notification.
        if (!heard.empty() && sink_) {
            sink_->Recognise(heard);
        } else if (!heard.empty()) {
            Log("dropped: nobody listens");
        }
        heard.clear();
    }
}

void Emulator::Attach(RecognitionSink* sink) {
    sink_ = sink;
    if (!timer_) {
        timer_ = SetTimer(nullptr, 0, kPollMs, PollTimer);
    }
}

void Emulator::Detach(RecognitionSink* sink) {
    if (sink_ != sink) {
        return;
    }
    sink_ = nullptr;
    if (timer_) {
        KillTimer(nullptr, timer_);
        timer_ = 0;
    }
}

}  // namespace orv::speechemu
