// Whole-program tests: orvane.exe started from a folder of its own, looked at from outside.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "support/orvane_process.h"

namespace orv::e2e {
namespace {

using namespace std::chrono_literals;

// Another program's entry in the machine-wide Run key, which the monitor must leave alone.
constexpr wchar_t kNeighbourRunValue[] = L"OrvaneE2eNeighbour";

// Checks the values the last run saved, naming each one that differs.
void ExpectSaved(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> expected) {
    for (const auto& [name, text] : expected) {
        EXPECT_EQ(SavedSetting(name), text) << "value " << name;
    }
}

class Startup : public ::testing::Test {
  protected:
    void SetUp() override {
        RemoveAutorunEntry();
        CloseRunningMonitors();
        ResetSettings();
    }
    // A leftover Run entry would start a monitor with the prefix's next boot.
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        RemoveAutorunEntry();
        RemoveRunValue(kNeighbourRunValue);
    }

    ProgramFolder folder;
};

// Waits a little for it: the program may still be making the main window's controls when the
// test first finds the window (Wine reports the process idle at its first message wait).
HWND ButtonCaptioned(HWND main, const wchar_t* caption) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        for (HWND button : ChildWindows(main, L"Button")) {
            if (TextOf(button) == caption) {
                return button;
            }
        }
        Sleep(100);
    }
    return nullptr;
}

// A click as the user makes it, so the program's own reaction runs.
void Click(HWND button) {
    SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
}

bool IsChecked(HWND button) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
    return state == BST_CHECKED;
}

TEST_F(Startup, ASecondStartEndsAtOnceWithZeroAndShowsTheRunningMonitor) {
    OrvaneProcess first(folder);
    ASSERT_NE(first.WaitForFloatingWindow(), nullptr);
    HWND main = first.MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindowVisible(main));

    OrvaneProcess second(folder);
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitForExit(10s), 0u);
    EXPECT_EQ(TopLevelWindows(L"TForm2", L"ORVMainWindow").size(), 1u);
    EXPECT_EQ(TopLevelWindows(L"TForm1").size(), 1u);

    // The running monitor comes forward with its first page, as its tray entry would show it.
    for (int i = 0; i < 40 && !IsWindowVisible(main); ++i) {
        Sleep(50);
    }
    EXPECT_TRUE(IsWindowVisible(main));
    std::vector<HWND> pages = ChildWindows(main, L"TTabSheet");
    ASSERT_EQ(pages.size(), 9u);
    EXPECT_TRUE(IsWindowVisible(pages[0]));
}

// A change reaches the registry a few seconds after it is made, so a kill does not lose it.
TEST_F(Startup, AKilledRunKeepsAChangeMadeSecondsBeforeAndTheNextStartRunsNormally) {
    {
        OrvaneProcess killed(folder);
        ASSERT_NE(killed.WaitForFloatingWindow(), nullptr);
        HWND main = killed.MainWindow();
        ASSERT_NE(main, nullptr);
        HWND bytesReceived = ButtonCaptioned(main, L"Байт принято");
        ASSERT_NE(bytesReceived, nullptr);
        Click(bytesReceived);
        ASSERT_TRUE(IsChecked(bytesReceived));
        for (int i = 0; i < 150 && SavedSetting(L"BytesRecv") != L"1"; ++i) {
            Sleep(100);
        }
        killed.Kill();
    }
    ExpectSaved({{L"BytesRecv", L"1"}, {L"FlowingWindow", L"1"}, {L"AutoRun", L"0"}});
    OrvaneProcess next(folder);
    EXPECT_NE(next.WaitForFloatingWindow(), nullptr);
    EXPECT_EQ(next.WaitForExit(200ms), static_cast<DWORD>(STILL_ACTIVE));
}

// "Выход" while a box of the start-up waits: the close is carried out once the start has
// loaded everything, so the stored settings and the launch list are not replaced by defaults.
TEST_F(Startup, ACloseDuringStartUpWaitsAndSavesOnlyWhatWasLoaded) {
    const std::wstring section = std::wstring(kSettingsKey) + L"\\Main";
    for (auto [name, text] : {std::pair{L"PlaySndSpeed", L"1"}, std::pair{L"Language", L"Rus"},
                              std::pair{L"TrafficValueToInform", L"500"}}) {
        RegSetKeyValueW(HKEY_CURRENT_USER, section.c_str(), name, REG_SZ, text,
                        static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
    }
    const std::string list =
        "tool.exe\r\n@1\r\n\tC:\\Tools\\\r\n\t\r\n\tNormal size\r\n"
        "\tAfter dial complete\r\n";
    const std::wstring listPath = folder.Path() + L"apptoload.orl";
    {
        const UniqueHandle file(CreateFileW(listPath.c_str(), GENERIC_WRITE, 0, nullptr,
                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        WriteFile(file.Get(), list.data(), static_cast<DWORD>(list.size()), &written, nullptr);
    }

    OrvaneProcess program(folder);
    HWND floating = program.WaitForFloatingWindow();
    ASSERT_NE(floating, nullptr);
    // "Не выбран файл": the speed rule's sound switch is on without its file.
    HWND box = nullptr;
    for (int i = 0; i < 150 && !box; ++i) {
        const std::vector<HWND> boxes = TopLevelWindows(L"#32770", L"Ошибка");
        box = boxes.empty() ? nullptr : boxes.front();
        Sleep(100);
    }
    ASSERT_NE(box, nullptr);
    PostMessageW(floating, WM_CLOSE, 0, 0);
    Sleep(500);
    EXPECT_EQ(program.WaitForExit(0ms), static_cast<DWORD>(STILL_ACTIVE));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(program.WaitForExit(15s), 0u);

    ExpectSaved({{L"PlaySndSpeed", L"0"},  // turned off by the box, as loaded
                 {L"Language", L"Rus"},
                 {L"TrafficValueToInform", L"500"}});
    std::string after(list.size() + 16, '\0');
    {
        const UniqueHandle file(CreateFileW(listPath.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                            nullptr, OPEN_EXISTING, 0, nullptr));
        DWORD read = 0;
        ReadFile(file.Get(), after.data(), static_cast<DWORD>(after.size()), &read, nullptr);
        after.resize(read);
    }
    EXPECT_EQ(after, list);
}

TEST_F(Startup, TheFloatingWindowIsATopmost176By76BoxAtTheWorkAreasBottomRight) {
    OrvaneProcess program(folder);
    HWND floating = program.WaitForFloatingWindow();
    ASSERT_NE(floating, nullptr);
    EXPECT_EQ(TextOf(floating), L"ORVMainWindow");
    for (int i = 0; i < 40 && !IsWindowVisible(floating); ++i) {
        Sleep(50);
    }
    EXPECT_TRUE(IsWindowVisible(floating));
    EXPECT_TRUE(GetWindowLongPtrW(floating, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT outer;
    GetWindowRect(floating, &outer);
    RECT workArea;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    EXPECT_EQ(outer.right - outer.left, 176);
    EXPECT_EQ(outer.bottom - outer.top, 76);
    EXPECT_EQ(outer.right, workArea.right);
    EXPECT_EQ(outer.bottom, workArea.bottom);
}

TEST_F(Startup, TheMainWindowIsHiddenWithItsNinePagesInOrder) {
    OrvaneProcess program(folder);
    ASSERT_NE(program.WaitForFloatingWindow(), nullptr);
    HWND main = program.MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(TextOf(main), L"Orvane");
    EXPECT_FALSE(IsWindowVisible(main));
    RECT client;
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, 411);
    EXPECT_EQ(client.bottom, 429);

    std::vector<std::wstring> captions;
    for (HWND page : ChildWindows(main, L"TTabSheet")) {
        captions.push_back(TextOf(page));
    }
    EXPECT_EQ(captions, (std::vector<std::wstring>{
                            L"Информация", L"Статистика", L"Подробная статистика", L"Дозвон",
                            L"События", L"Настройки", L"Запуск приложений", L"О программе",
                            L"Лимит"}));
    // The statistics file was opened, so the empty one was written beside the program.
    EXPECT_NE(GetFileAttributesW((folder.Path() + L"statistics\\dialstat.xml").c_str()),
              INVALID_FILE_ATTRIBUTES);
}

TEST_F(Startup, ClosingTheMainWindowLeavesTheProgramRunning) {
    OrvaneProcess program(folder);
    HWND floating = program.WaitForFloatingWindow();
    ASSERT_NE(floating, nullptr);
    HWND main = program.MainWindow();
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_USER, 3, 0);
    for (int i = 0; i < 40 && !IsWindowVisible(main); ++i) {
        Sleep(50);
    }
    ASSERT_TRUE(IsWindowVisible(main));

    SendMessageTimeoutW(main, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(program.WaitForExit(500ms), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_TRUE(IsWindow(floating));
    EXPECT_TRUE(IsWindow(main));
}

TEST_F(Startup, ClosingTheFloatingWindowSavesTheSettingsAndEndsWithZero) {
    OrvaneProcess program(folder);
    HWND floating = program.WaitForFloatingWindow();
    ASSERT_NE(floating, nullptr);
    HWND main = program.MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(SavedSetting(L"BytesRecv"), L"<absent>");

    // A change on the settings page, made as the user would, reaches the registry at the end.
    HWND bytesReceived = ButtonCaptioned(main, L"Байт принято");
    ASSERT_NE(bytesReceived, nullptr);
    Click(bytesReceived);

    PostMessageW(floating, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(10s), 0u);
    ExpectSaved({{L"BytesRecv", L"1"},
                 {L"BytesSend", L"0"},
                 {L"FlowingWindow", L"1"},
                 {L"StayOnTop", L"1"},
                 {L"AutoRun", L"0"},
                 {L"BackGround", L"-16777215"},
                 {L"RecvColor", L"65280"},
                 {L"TranspValue", L"255"},
                 {L"TimeValueToInform", L"10"},
                 {L"SpeedValueToInform", L"0"},
                 {L"TrafficValueToInform", L"100"}});
}

// A log-off ends the process after WM_ENDSESSION without closing the floating window.
TEST_F(Startup, AnEndingSessionSavesTheSettingsACancelledOneDoesNot) {
    OrvaneProcess program(folder);
    HWND floating = program.WaitForFloatingWindow();
    ASSERT_NE(floating, nullptr);
    HWND main = program.MainWindow();
    ASSERT_NE(main, nullptr);
    HWND bytesSent = ButtonCaptioned(main, L"Байт отправлено");
    ASSERT_NE(bytesSent, nullptr);
    const ULONGLONG clicked = GetTickCount64();
    Click(bytesSent);

    SendMessageTimeoutW(floating, WM_ENDSESSION, FALSE, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    // The change's own delayed save (3 s) must not have come first for this to say anything.
    if (GetTickCount64() - clicked < 2500) {
        EXPECT_EQ(SavedSetting(L"BytesSend"), L"<absent>");
    }
    SendMessageTimeoutW(floating, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    const bool beforeTheDelay = GetTickCount64() - clicked < 2500;
    const std::wstring saved = SavedSetting(L"BytesSend");
    program.Kill();
    if (beforeTheDelay) {
        EXPECT_EQ(saved, L"1");
    }
    ExpectSaved({{L"BytesSend", L"1"}, {L"AutoRun", L"0"}, {L"TrafficValueToInform", L"100"}});
}

TEST_F(Startup, AFirstStartWithNoKeyGivesTheDefaultsAndFollowsTheAutorunSwitch) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    SetRunValue(kNeighbourRunValue, L"C:\\other\\tool.exe /quiet");

    OrvaneProcess program(folder);
    HWND floating = program.WaitForFloatingWindow();
    ASSERT_NE(floating, nullptr);
    HWND main = program.MainWindow();
    ASSERT_NE(main, nullptr);
    for (int i = 0; i < 40 && !IsWindowVisible(floating); ++i) {
        Sleep(50);
    }
    EXPECT_TRUE(IsWindowVisible(floating));
    EXPECT_TRUE(GetWindowLongPtrW(floating, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtrW(floating, GWL_EXSTYLE) & WS_EX_LAYERED);  // fully opaque
    for (const wchar_t* line :
         {L"Байт принято", L"Байт отправлено", L"Скорость подключения", L"Время подключения",
          L"IP адрес клиента", L"IP адрес сервера", L"Текущая скорость", L"Средняя скорость"}) {
        HWND box = ButtonCaptioned(main, line);
        ASSERT_NE(box, nullptr) << std::wstring(line);
        EXPECT_FALSE(IsChecked(box));
    }
    // "Автозагрузка" is on by default: the entry holds the program's own path, in quotes.
    HWND autorun = ButtonCaptioned(main, L"Автозагрузка");
    ASSERT_NE(autorun, nullptr);
    EXPECT_TRUE(IsChecked(autorun));
    EXPECT_EQ(RunValue(L"Orvane"), L"\"" + folder.Program() + L"\"");

    Click(autorun);
    EXPECT_FALSE(IsChecked(autorun));
    EXPECT_EQ(RunValue(L"Orvane"), L"<absent>");
    EXPECT_EQ(RunValue(kNeighbourRunValue), L"C:\\other\\tool.exe /quiet");

    PostMessageW(floating, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(10s), 0u);
    ExpectSaved({{L"AutoRun", L"0"},
                 {L"FlowingWindow", L"1"},
                 {L"StayOnTop", L"1"},
                 {L"TranspValue", L"255"},
                 {L"TimeValueToInform", L"10"},
                 {L"SpeedValueToInform", L"0"},
                 {L"TrafficValueToInform", L"100"}});
}

TEST_F(Startup, StoredSettingsReachThePagesAndTheNextSave) {
    const std::wstring section = std::wstring(kSettingsKey) + L"\\Main";
    const auto store = [&](const wchar_t* name, const wchar_t* text) {
        RegSetKeyValueW(HKEY_CURRENT_USER, section.c_str(), name, REG_SZ, text,
                        static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
    };
    store(L"FlowingWindow", L"0");
    store(L"BytesSend", L"2");
    store(L"TimeValueToInform", L"5");
    store(L"SpeedValueToInform", L"33600");
    store(L"TranspValue", L"100");

    OrvaneProcess program(folder);
    HWND floating = program.WaitForFloatingWindow();
    ASSERT_NE(floating, nullptr);
    // The program lives in the tray only; the floating window waits to be asked for.
    Sleep(300);
    EXPECT_FALSE(IsWindowVisible(floating));
    EXPECT_TRUE(GetWindowLongPtrW(floating, GWL_EXSTYLE) & WS_EX_LAYERED);

    PostMessageW(floating, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(10s), 0u);
    ExpectSaved({{L"FlowingWindow", L"0"},
                 {L"BytesSend", L"1"},
                 {L"TimeValueToInform", L"10"},
                 {L"SpeedValueToInform", L"33600"},
                 {L"TranspValue", L"100"}});
}

// The floating window's switches and slider act at once through the program's routing.
TEST_F(Startup, SettingsControlsActOnTheFloatingWindowAtOnce) {
    OrvaneProcess program(folder);
    HWND floating = program.WaitForFloatingWindow();
    ASSERT_NE(floating, nullptr);
    HWND main = program.MainWindow();
    ASSERT_NE(main, nullptr);

    const std::vector<HWND> sliders = ChildWindows(main, L"msctls_trackbar32");
    ASSERT_EQ(sliders.size(), 1u);
    SendMessageTimeoutW(sliders[0], TBM_SETPOS, TRUE, 120, SMTO_ABORTIFHUNG, 2000, nullptr);
    SendMessageTimeoutW(GetParent(sliders[0]), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 120),
                        reinterpret_cast<LPARAM>(sliders[0]), SMTO_ABORTIFHUNG, 2000, nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(floating, GWL_EXSTYLE) & WS_EX_LAYERED);

    HWND stayOnTop = ButtonCaptioned(main, L"Поверх Окон");
    ASSERT_NE(stayOnTop, nullptr);
    Click(stayOnTop);
    EXPECT_FALSE(GetWindowLongPtrW(floating, GWL_EXSTYLE) & WS_EX_TOPMOST);

    PostMessageW(floating, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(10s), 0u);
    EXPECT_EQ(SavedSetting(L"TranspValue"), L"120");
    EXPECT_EQ(SavedSetting(L"StayOnTop"), L"0");
}

TEST_F(Startup, TheDetailedStatisticsPageListsTheStoredSessionsWhenShown) {
    const char file[] =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<all>"
        "<connection name=\"A\" user=\"u\" duration=\"3723000\" connspeed=\"1\" "
        "received=\"1024\" send=\"2048\" serverip=\"s\" clientip=\"c\" startsession=\"x\" "
        "endsession=\"y\" averagespeed=\"0\"/>"
        "<connection name=\"B\" user=\"u\" duration=\"90000000\" connspeed=\"1\" "
        "received=\"1024\" send=\"2048\" serverip=\"s\" clientip=\"c\" startsession=\"x\" "
        "endsession=\"y\" averagespeed=\"0\"/></all>\r\n";
    {
        const UniqueHandle out(CreateFileW((folder.Path() + L"statistics\\dialstat.xml").c_str(),
                                           GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(out);
        DWORD written = 0;
        WriteFile(out.Get(), file, sizeof(file) - 1, &written, nullptr);
    }

    OrvaneProcess program(folder);
    ASSERT_NE(program.WaitForFloatingWindow(), nullptr);
    HWND main = program.MainWindow();
    ASSERT_NE(main, nullptr);
    HWND sessions = nullptr;
    for (HWND list : ChildWindows(main, L"SysListView32")) {
        if (GetWindowLongPtrW(list, GWL_STYLE) & LVS_OWNERDATA) {
            sessions = list;
        }
    }
    ASSERT_NE(sessions, nullptr);
    EXPECT_EQ(SendMessageW(sessions, LVM_GETITEMCOUNT, 0, 0), 0);

    PostMessageW(main, WM_USER, 5, 0);
    for (int i = 0; i < 40 && SendMessageW(sessions, LVM_GETITEMCOUNT, 0, 0) == 0; ++i) {
        Sleep(50);
    }
    EXPECT_EQ(SendMessageW(sessions, LVM_GETITEMCOUNT, 0, 0), 2);
    bool totalShown = false;
    for (HWND label : ChildWindows(main, L"Static")) {
        totalShown = totalShown || TextOf(label) == L"26:02:03";
    }
    EXPECT_TRUE(totalShown);
}

}  // namespace
}  // namespace orv::e2e
