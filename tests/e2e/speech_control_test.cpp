// Whole-program tests of speech control: orvane starts talvex from its plugins folder, and the
// emulated recogniser (speechemu.dll, registered in the test prefix only) hears the phrases
// the test appends to its control file.
#include <windows.h>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/orvane_process.h"

namespace orv::e2e {
namespace {

using namespace std::chrono_literals;

// What `regsvr32 speechemu.dll` does, in this throw-away prefix only.
bool RegisterEmulatedRecognizer() {
    HMODULE server = LoadLibraryW((ProgramTestFolder() + L"speechemu.dll").c_str());
    if (!server) {
        return false;
    }
    using Register = HRESULT(__stdcall*)();
    const auto entry = reinterpret_cast<Register>(
        reinterpret_cast<void (*)()>(GetProcAddress(server, "DllRegisterServer")));
    const bool registered = entry && SUCCEEDED(entry());
    FreeLibrary(server);
    return registered;
}

HWND PluginWindow() {
    return FindWindowW(nullptr, L"DialUp Talvex");
}

template <typename Done>
bool WaitUntil(Done done, std::chrono::milliseconds timeout = 5s) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        Sleep(50);
    }
    return true;
}

// talvex processes of any folder: one at a time is the rule, however they were started.
int RunningTalvexCount() {
    const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
         more = Process32NextW(snapshot.Get(), &entry)) {
        count += lstrcmpiW(entry.szExeFile, L"talvex.exe") == 0 ? 1 : 0;
    }
    return count;
}

void CloseRunningPlugins() {
    while (HWND plugin = PluginWindow()) {
        DWORD id = 0;
        GetWindowThreadProcessId(plugin, &id);
        const UniqueHandle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id));
        PostMessageW(plugin, WM_CLOSE, 0, 0);
        if (process && WaitForSingleObject(process.Get(), 3000) == WAIT_TIMEOUT) {
            TerminateProcess(process.Get(), 9);
        }
    }
}

// The visible page of the main window, -1 when none is.
int VisiblePage(HWND main) {
    const std::vector<HWND> pages = ChildWindows(main, L"TTabSheet");
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (IsWindowVisible(pages[i])) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Closes the monitor by its floating window: it ends with 0 and stores speech control off.
void ExitAndExpectSpeechSavedOff(OrvaneProcess& program, HWND floating) {
    PostMessageW(floating, WM_CLOSE, 0, 0);
    ASSERT_EQ(program.WaitForExit(10s), 0u);
    EXPECT_EQ(SavedSetting(L"SpeechPlugin"), L"0");
}
class SpeechControl : public ::testing::Test {
  protected:
    void SetUp() override {
        RemoveAutorunEntry();
        CloseRunningMonitors();
        CloseRunningPlugins();
        ResetSettings();
        ASSERT_TRUE(RegisterEmulatedRecognizer());
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        const std::wstring stem =
            std::wstring(temp) + L"orvane-speech-" + std::to_wstring(GetCurrentProcessId()) + L"-";
        control_ = stem + L"control.txt";
        log_ = stem + L"log.txt";
        DeleteFileW(control_.c_str());
        DeleteFileW(log_.c_str());
        std::ofstream(control_).flush();
        // orvane inherits them, and talvex from orvane.
        SetEnvironmentVariableW(L"ORVANE_SPEECH_CONTROL", control_.c_str());
        SetEnvironmentVariableW(L"ORVANE_SPEECH_LOG", log_.c_str());
    }
    void TearDown() override {
        CloseRunningPlugins();
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        RemoveAutorunEntry();
        DeleteFileW(control_.c_str());
        DeleteFileW(log_.c_str());
    }

    // One line of the recogniser's script.
    void Say(const std::string& line) {
        std::ofstream(control_, std::ios::app | std::ios::binary) << line << "\n";
    }
    std::string Log() const {
        std::ifstream file(log_, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    bool Heard(const std::string& phrase) const {
        return Log().find("recognised " + phrase + "\n") != std::string::npos;
    }

    ProgramFolder folder;
    std::filesystem::path control_;
    std::filesystem::path log_;
};

TEST_F(SpeechControl, StoredOnStartsTalvexHiddenAndItsPhrasesOpenThePagesTheyName) {
    StoreSetting(L"SpeechPlugin", L"1");
    OrvaneProcess program(folder);
    HWND floating = program.WaitForFloatingWindow();
    ASSERT_NE(floating, nullptr);
    HWND main = program.MainWindow();
    ASSERT_TRUE(WaitUntil([] { return PluginWindow() != nullptr; }));
    EXPECT_EQ(StatusText(main), L"Speech Plug-in is successfully loaded");
    ASSERT_TRUE(WaitUntil([this] {
        return Log().find("SetDictationState 1") != std::string::npos;
    })) << Log();

    const struct {
        const char* phrase;
        int page;
    } kPhrases[] = {{"information", 0}, {"more statistics", 2}, {"about", 7}, {"dial up", 3}};
    for (const auto& [phrase, page] : kPhrases) {
        Say(phrase);
        EXPECT_TRUE(WaitUntil([&, page = page] {
            return IsWindowVisible(main) && VisiblePage(main) == page;
        })) << phrase
            << ": page " << VisiblePage(main) << "\n"
            << Log();
    }
    // Several recognitions before one notification are all handled, in order; a result whose
    // text cannot be read is logged and sends nothing.
    Say("#unreadable");
    Say("about|information|more statistics");
    EXPECT_TRUE(WaitUntil([&] { return VisiblePage(main) == 2 && Heard("more statistics"); }))
        << "page " << VisiblePage(main) << "\n"
        << Log();
    EXPECT_NE(Log().find("GetText refused"), std::string::npos) << Log();
    EXPECT_NE(PluginWindow(), nullptr);

    // Listening in its message loop, and still hidden.
    EXPECT_FALSE(IsWindowVisible(PluginWindow()));

    // Not a phrase: case and punctuation count. "minimize" hides the floating window, "show"
    // brings it back, "Show." does not.
    Say("minimize");
    ASSERT_TRUE(WaitUntil([floating] { return !IsWindowVisible(floating); })) << Log();
    Say("Show.");
    ASSERT_TRUE(WaitUntil([this] { return Heard("Show."); })) << Log();
    Sleep(300);
    EXPECT_FALSE(IsWindowVisible(floating));
    Say("show");
    EXPECT_TRUE(WaitUntil([floating] { return IsWindowVisible(floating) != FALSE; })) << Log();
}

TEST_F(SpeechControl, SwitchingOffClosesTalvexAndAgainFindsNothingToClose) {
    StoreSetting(L"SpeechPlugin", L"1");
    OrvaneProcess program(folder);
    ASSERT_NE(program.WaitForFloatingWindow(), nullptr);
    HWND main = program.MainWindow();
    ASSERT_TRUE(WaitUntil([] { return PluginWindow() != nullptr; }));
    HWND speechSwitch = PageControl(main, "CheckBox23");
    ASSERT_NE(speechSwitch, nullptr);

    SendMessageTimeoutW(speechSwitch, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    EXPECT_EQ(StatusText(main), L"Speech Plug-in is successfully unloaded");
    EXPECT_TRUE(WaitUntil([] { return PluginWindow() == nullptr; }));
    SendMessageTimeoutW(speechSwitch, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    EXPECT_EQ(StatusText(main), L"Speech Plug-in is successfully loaded");
    ASSERT_TRUE(WaitUntil([] { return PluginWindow() != nullptr; }));
    CloseRunningPlugins();
    SendMessageTimeoutW(speechSwitch, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    EXPECT_EQ(StatusText(main), L"Can't Load/Unload Plug-in.");
}

TEST_F(SpeechControl, WithoutTheFileTheSwitchEndsOffAndIsSavedOff) {
    DeleteFileW(folder.Plugin().c_str());
    StoreSetting(L"SpeechPlugin", L"1");
    OrvaneProcess program(folder);
    HWND floating = program.WaitForFloatingWindow();
    ASSERT_NE(floating, nullptr);
    HWND main = program.MainWindow();
    EXPECT_EQ(StatusText(main), L"Plug-in has not been loaded. No Plug-in was found");
    EXPECT_EQ(SendMessageW(PageControl(main, "CheckBox23"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(PluginWindow(), nullptr);
    ExitAndExpectSpeechSavedOff(program, floating);
}

TEST_F(SpeechControl, SayingExitEndsTheMonitorWithItsExitSequenceAndTalvexWithZero) {
    StoreSetting(L"SpeechPlugin", L"1");
    OrvaneProcess program(folder);
    ASSERT_NE(program.WaitForFloatingWindow(), nullptr);
    ASSERT_TRUE(WaitUntil([] { return PluginWindow() != nullptr; }));
    DWORD pluginId = 0;
    GetWindowThreadProcessId(PluginWindow(), &pluginId);
    const UniqueHandle plugin(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pluginId));
    ASSERT_TRUE(plugin);
    ASSERT_TRUE(
        WaitUntil([this] { return Log().find("SetDictationState 1") != std::string::npos; }));

    Say("exit");
    EXPECT_EQ(program.WaitForExit(10s), 0u) << Log();
    // The exit sequence saved the settings, with speech control still on.
    EXPECT_EQ(SavedSetting(L"SpeechPlugin"), L"1");
    ASSERT_EQ(WaitForSingleObject(plugin.Get(), 10000), WAIT_OBJECT_0);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(plugin.Get(), &code);
    EXPECT_EQ(code, 0u);
}

// talvex started by hand, as the shell would start it; the process, or nothing.
UniqueHandle StartTalvex(const ProgramFolder& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + folder.Plugin() + L"\"";
    if (!CreateProcessW(folder.Plugin().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, folder.Path().c_str(), &startup, &info)) {
        return UniqueHandle();
    }
    const UniqueHandle thread(info.hThread);
    return UniqueHandle(info.hProcess);
}

// Its exit code, or STILL_ACTIVE (and killed) after the timeout.
DWORD WaitForTalvex(const UniqueHandle& process, std::chrono::milliseconds timeout) {
    DWORD code = static_cast<DWORD>(-1);
    if (!process) {
        return code;
    }
    if (WaitForSingleObject(process.Get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.Get(), &code);
    } else {
        code = STILL_ACTIVE;
        TerminateProcess(process.Get(), 9);
    }
    return code;
}

DWORD RunTalvex(const ProgramFolder& folder, std::chrono::milliseconds timeout) {
    return WaitForTalvex(StartTalvex(folder), timeout);
}

TEST_F(SpeechControl, TalvexWithoutAMonitorEndsAtOnce) {
    EXPECT_EQ(RunTalvex(folder, 5s), 0u);
    EXPECT_EQ(PluginWindow(), nullptr);
}

TEST_F(SpeechControl, AFailedRecognizerSetUpEndsTalvexWithNothingSent) {
    OrvaneProcess program(folder);
    ASSERT_NE(program.WaitForFloatingWindow(), nullptr);
    HWND main = program.MainWindow();
    // Each failure has its exit code; under Wine the default audio input gives none, so a
    // refused activation is told together with the missing input.
    const struct {
        const char* line;
        DWORD code;
    } kFailures[] = {{"#fail activation", 5}, {"#fail dictation", 4}, {"#require audio", 5}};
    for (const auto& [failure, exitCode] : kFailures) {
        DeleteFileW(log_.c_str());
        Say(failure);
        Say("information");  // already in the script at the start: never heard
        EXPECT_EQ(RunTalvex(folder, 5s), exitCode) << failure;
        EXPECT_EQ(Log().find("recognised"), std::string::npos) << failure << "\n" << Log();
        EXPECT_FALSE(IsWindowVisible(main)) << failure;
        std::ofstream(control_, std::ios::trunc).flush();
    }
    EXPECT_EQ(program.WaitForExit(100ms), static_cast<DWORD>(STILL_ACTIVE));
}

// Started with the switch stored on, a companion whose set-up fails does not stay "successfully
// loaded": its exit code turns the switch off and the status bar says why.
TEST_F(SpeechControl, AFailedSetUpAtStartTurnsTheSwitchOffAndSaysWhy) {
    Say("#fail activation");
    StoreSetting(L"SpeechPlugin", L"1");
    OrvaneProcess program(folder);
    HWND floating = program.WaitForFloatingWindow();
    ASSERT_NE(floating, nullptr);
    HWND main = program.MainWindow();
    HWND speechSwitch = PageControl(main, "CheckBox23");
    EXPECT_TRUE(WaitUntil(
        [&] { return SendMessageW(speechSwitch, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }, 15s))
        << Log();
    EXPECT_EQ(StatusText(main),
              L"Speech Plug-in has stopped: the speech recogniser refused to listen, and no "
              L"audio input was found");
    EXPECT_EQ(PluginWindow(), nullptr);
    ExitAndExpectSpeechSavedOff(program, floating);
}

// A killed monitor cannot close its companion: talvex sees the floating window gone and ends.
TEST_F(SpeechControl, AKilledMonitorLeavesNoTalvexAfterTwentySeconds) {
    StoreSetting(L"SpeechPlugin", L"1");
    OrvaneProcess program(folder);
    ASSERT_NE(program.WaitForFloatingWindow(), nullptr);
    ASSERT_TRUE(
        WaitUntil([this] { return Log().find("SetDictationState 1") != std::string::npos; }))
        << Log();
    ASSERT_EQ(RunningTalvexCount(), 1);
    program.Kill();
    EXPECT_TRUE(WaitUntil([] { return RunningTalvexCount() == 0; }, 20s));
    EXPECT_EQ(PluginWindow(), nullptr);
}

// A talvex already running (here one started by hand) is replaced when speech control starts,
// so exactly one listens: the monitor's own.
TEST_F(SpeechControl, ASecondStartRunsExactlyOneTalvex) {
    OrvaneProcess program(folder);
    ASSERT_NE(program.WaitForFloatingWindow(), nullptr);
    HWND main = program.MainWindow();
    const UniqueHandle first = StartTalvex(folder);
    ASSERT_TRUE(first);
    ASSERT_TRUE(WaitUntil([] { return PluginWindow() != nullptr; }));

    HWND speechSwitch = PageControl(main, "CheckBox23");
    SendMessageTimeoutW(speechSwitch, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    EXPECT_EQ(StatusText(main), L"Speech Plug-in is successfully loaded");
    EXPECT_EQ(WaitForTalvex(first, 10s), 0u);
    ASSERT_TRUE(WaitUntil([] { return PluginWindow() != nullptr; }));
    Sleep(1500);  // past the monitor's first watch steps
    EXPECT_EQ(RunningTalvexCount(), 1);
    EXPECT_EQ(SendMessageW(speechSwitch, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(StatusText(main), L"Speech Plug-in is successfully loaded");
}

}  // namespace
}  // namespace orv::e2e
