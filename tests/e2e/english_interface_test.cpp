// The whole program in English: every label, caption and status text of the main window, the
// tray information text and the balloons of a session whose duration rule fires hold no
// Cyrillic letter (the scenario's names and figures are ASCII, so nothing is exempt).
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "base/win32/messages.h"
#include "support/orvane_process.h"
#include "tests/common/emulated_ras_scenario.h"

namespace orv::e2e {
namespace {

using namespace std::chrono_literals;

// The tray icon's reports of the pointer resting on it and leaving it (NOTIFYICON_VERSION_4).
constexpr LPARAM kPopupOpen = WM_USER + 6;   // NIN_POPUPOPEN
constexpr LPARAM kPopupClose = WM_USER + 7;  // NIN_POPUPCLOSE

// Twenty emulated minutes to a real one: the ten-minute rule holds at the first minute check.
constexpr char kScenario[] = R"(speed 20
device "Test Modem 33600" modem
entry "Home ISP" device "Test Modem 33600"
session "Home ISP"
    link 49333
    client 10.44.17.203
    server 10.44.0.1
    bytes 123456 7890
)";

void StoreSetting(const wchar_t* name, const wchar_t* value) {
    const std::wstring section = std::wstring(kSettingsKey) + L"\\Main";
    RegSetKeyValueW(HKEY_CURRENT_USER, section.c_str(), name, REG_SZ, value,
                    static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
}

bool HasCyrillic(const std::wstring& text) {
    for (wchar_t c : text) {
        if (c >= 0x0400 && c <= 0x04FF) {
            return true;
        }
    }
    return false;
}

std::string Printable(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM texts) {
    reinterpret_cast<std::vector<std::wstring>*>(texts)->push_back(TextOf(window));
    return TRUE;
}

// Every child's text, the pages' captions and the status bar's text (its first part) among them.
std::vector<std::wstring> ChildTexts(HWND window) {
    std::vector<std::wstring> texts;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

// The texts of the tooltip windows on screen: our tray hint, and the shell's balloons.
std::set<std::wstring> ShownTips() {
    std::set<std::wstring> tips;
    for (HWND tip : TopLevelWindows(TOOLTIPS_CLASSW)) {
        if (IsWindowVisible(tip)) {
            const std::wstring text = TextOf(tip);
            if (!text.empty()) {
                tips.insert(text);
            }
        }
    }
    return tips;
}

class EnglishInterface : public EmulatedProgramTest {};

TEST_F(EnglishInterface, LabelsStatusTrayTextAndBalloonsHoldNoCyrillic) {
    testing::EmulatedScenario scenario(kScenario);
    ProgramFolder folder;
    const std::wstring from = ProgramTestFolder() + L"Languages\\";
    CreateDirectoryW((folder.Path() + L"Languages").c_str(), nullptr);
    for (const wchar_t* name : {L"Eng.lang", L"Rus.lang"}) {
        ASSERT_TRUE(CopyFileW((from + name).c_str(), (folder.Path() + L"Languages\\" + name).c_str(),
                              FALSE));
    }
    StoreSetting(L"Language", L"Eng");
    for (const wchar_t* on : {L"ShowMsgTime", L"ShowMsgConnected", L"BytesRecv",
                              L"BytesSend", L"ConnectSpeed", L"Duration", L"CurSpeed",
                              L"AverageSpeed", L"ClientIP", L"ServerIP"}) {
        StoreSetting(on, L"1");
    }
    StoreSetting(L"TimeValueToInform", L"10");

    OrvaneProcess program(folder);
    HWND floating = program.WaitForFloatingWindow();
    ASSERT_NE(floating, nullptr);
    HWND main = program.MainWindow();
    ASSERT_NE(main, nullptr);
    scenario.Control("start \"Home ISP\"");

    std::vector<std::wstring> seen;
    std::set<std::wstring> tips;
    bool connectedSeen = false;
    bool dropped = false;
    const auto started = std::chrono::steady_clock::now();
    // Until the rule has hung up and the end has been announced (or the time is up).
    while (std::chrono::steady_clock::now() - started < 90s) {
        for (const std::wstring& text : ChildTexts(main)) {
            seen.push_back(text);
        }
        connectedSeen = connectedSeen || TextOf(PageControl(main, "Label20")) == L"Home ISP";
        // The pointer resting on the tray icon: the hint shows the tray information text.
        PostMessageW(floating, messages::kTrayCallback, 0, kPopupOpen);
        Sleep(300);
        for (const std::wstring& tip : ShownTips()) {
            tips.insert(tip);
        }
        PostMessageW(floating, messages::kTrayCallback, 0, kPopupClose);
        bool fired = false;
        bool ended = false;
        for (const std::wstring& tip : tips) {
            fired = fired || tip.find(L"Session longer than") != std::wstring::npos;
            ended = ended || tip.find(L"disconnected") != std::wstring::npos;
        }
        if (ended) {
            break;
        }
        if (fired && !dropped) {
            scenario.Control("drop");  // the end and its balloon
            dropped = true;
        }
        Sleep(200);
    }
    EXPECT_TRUE(connectedSeen);
    for (const std::wstring& text : seen) {
        EXPECT_FALSE(HasCyrillic(text)) << Printable(text);
    }
    for (const std::wstring& tip : tips) {
        EXPECT_FALSE(HasCyrillic(tip)) << Printable(tip);
    }
    const auto holds = [&tips](const wchar_t* part) {
        for (const std::wstring& tip : tips) {
            if (tip.find(part) != std::wstring::npos) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(holds(L"Received and Sent: ")) << "the tray information text";
    EXPECT_TRUE(holds(L"Session longer than 10")) << "the rule's balloon";
    EXPECT_TRUE(holds(L"The computer is connected to the network"));
    EXPECT_TRUE(holds(L"The computer is disconnected from the network"));
    PostMessageW(floating, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(10s), 0u);
}

}  // namespace
}  // namespace orv::e2e
