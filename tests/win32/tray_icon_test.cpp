// The tray icon of the floating window: its start-up report, the shared pop-up menu and its
// commands, re-adding after an Explorer restart or a failed update, the notification balloon
// and the information hint.

#include <windows.h>

#include <commctrl.h>

#include <cwchar>
#include <string>
#include <thread>

#include "floating_test_window.h"
#include "monitor/popup_menu.h"

namespace orv::testing {
namespace {

std::wstring MenuText(HMENU menu, int position) {
    wchar_t text[64] = L"";
    GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return text;
}

LPARAM TrayEvent(UINT event) {
    return MAKELPARAM(event, 1);
}

TEST_F(FloatingWindowTest, IconIsAddedWithVersionFourBeforeTheStartupFlagIsRead) {
    ASSERT_GE(shell.requests.size(), 2u);
    const ShellRequest& add = shell.requests[0];
    EXPECT_EQ(add.message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(add.data.hWnd, Handle());
    EXPECT_EQ(add.data.uCallbackMessage, kTrayCallbackMessage);
    EXPECT_NE(add.data.hIcon, nullptr);
    EXPECT_EQ(add.data.uFlags & (NIF_MESSAGE | NIF_ICON),
              static_cast<UINT>(NIF_MESSAGE | NIF_ICON));
    EXPECT_EQ(shell.requests[1].message, static_cast<DWORD>(NIM_SETVERSION));
    EXPECT_EQ(shell.requests[1].data.uVersion, static_cast<UINT>(NOTIFYICON_VERSION_4));
    EXPECT_EQ(addsWhenFlagRead, 1);
    EXPECT_TRUE(window.ShownAtStart());
}

class StartupFlagOffTest : public FloatingWindowTest {
  protected:
    void SetUp() override { CreateWindowWith(false); }
};

TEST_F(StartupFlagOffTest, StartsWithTheTrayIconOnly) {
    EXPECT_FALSE(window.ShownAtStart());
    EXPECT_FALSE(IsWindowVisible(Handle()));
    EXPECT_EQ(shell.Count(NIM_ADD), 1);
    EXPECT_EQ(shell.Count(NIM_DELETE), 0);
}

TEST_F(FloatingWindowTest, MenuHoldsThePagesTheLineEntriesAndExit) {
    const HMENU menu = window.Menu();
    ASSERT_EQ(GetMenuItemCount(menu), 13);
    const wchar_t* names[] = {L"Information", L"Statistics", L"AllStatistics", L"DialUp",
                              L"Events",      L"Options",    L"Scheduler",     L"About"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(MenuText(menu, i), names[i]);
        EXPECT_EQ(GetMenuItemID(menu, i), static_cast<UINT>(3 + i));
    }
    for (const int position : {8, 11}) {
        MENUITEMINFOW separator{};
        separator.cbSize = sizeof(separator);
        separator.fMask = MIIM_FTYPE;
        ASSERT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &separator));
        EXPECT_TRUE(separator.fType & MFT_SEPARATOR) << position;
    }
    EXPECT_EQ(MenuText(menu, 9), L"Подключить");
    EXPECT_EQ(GetMenuItemID(menu, 9), static_cast<UINT>(kConnectCommand));
    EXPECT_EQ(MenuText(menu, 10), L"Отключить");
    EXPECT_EQ(GetMenuItemID(menu, 10), static_cast<UINT>(kDisconnectCommand));
    EXPECT_EQ(MenuText(menu, 12), L"Выход");
    EXPECT_EQ(GetMenuItemID(menu, 12), static_cast<UINT>(kExitCommand));
}

TEST_F(FloatingWindowTest, PageEntriesCallTheSharedPageSwitch) {
    for (int tag = 3; tag <= 10; ++tag) {
        SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(tag, 0), 0);
    }
    EXPECT_EQ(pages, (std::vector<int>{3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(closings, 0);
    EXPECT_TRUE(IsWindow(Handle()));
}

TEST_F(FloatingWindowTest, ExitRunsTheExitSequenceOnceAndEndsTheLoop) {
    const HWND handle = Handle();
    SendMessageW(handle, WM_COMMAND, MAKEWPARAM(kExitCommand, 0), 0);
    EXPECT_EQ(closings, 1);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(Handle(), nullptr);
    EXPECT_EQ(shell.Count(NIM_DELETE), 1);
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(pages.empty());
}

TEST_F(FloatingWindowTest, TrayRightButtonOpensTheSharedMenuWhoseEntriesWork) {
    // A helper thread picks the third entry of the open menu with the keyboard.
    std::thread chooser([] {
        for (int i = 0; i < 200; ++i) {
            const HWND menu = FindWindowW(L"#32768", nullptr);
            if (menu && IsWindowVisible(menu)) {
                for (int down = 0; down < 3; ++down) {
                    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
                }
                PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
                return;
            }
            Sleep(25);
        }
    });
    SendMessageW(Handle(), kTrayCallbackMessage, MAKEWPARAM(600, 500), TrayEvent(WM_CONTEXTMENU));
    chooser.join();
    PumpUntil(2000, [this] { return !pages.empty(); });
    EXPECT_EQ(pages, std::vector<int>{5});
}

TEST_F(FloatingWindowTest, ExplorerRestartAddsTheIconAgain) {
    ASSERT_EQ(shell.Count(NIM_ADD), 1);
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    PumpUntil(2000, [this] { return shell.Count(NIM_ADD) == 2; });
    EXPECT_EQ(shell.Count(NIM_ADD), 2);
    EXPECT_EQ(shell.requests.back().message, static_cast<DWORD>(NIM_SETVERSION));
    EXPECT_EQ(shell.requests.back().data.uVersion, static_cast<UINT>(NOTIFYICON_VERSION_4));
}

TEST_F(FloatingWindowTest, BalloonIsAnInformationNoticeForTenSeconds) {
    window.ShowTrayBalloon("Превышено время");
    const ShellRequest& modify = shell.requests.back();
    EXPECT_EQ(modify.message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_TRUE(modify.data.uFlags & NIF_INFO);
    EXPECT_STREQ(modify.data.szInfoTitle, L"Information");
    EXPECT_STREQ(modify.data.szInfo, L"Превышено время");
    EXPECT_EQ(modify.data.dwInfoFlags & NIIF_ICON_MASK, static_cast<DWORD>(NIIF_INFO));
    EXPECT_EQ(modify.data.uTimeout, 10000u);
    EXPECT_EQ(shell.Count(NIM_ADD), 1);
}

TEST_F(FloatingWindowTest, FailedUpdateAddsTheIconAgainWithTheBalloon) {
    shell.failModify = true;
    window.ShowTrayBalloon(std::string(300, 'x'));
    ASSERT_EQ(shell.Count(NIM_ADD), 2);
    const ShellRequest& readd = shell.requests[shell.requests.size() - 2];
    EXPECT_EQ(readd.message, static_cast<DWORD>(NIM_ADD));
    EXPECT_TRUE(readd.data.uFlags & NIF_INFO);
    EXPECT_TRUE(readd.data.uFlags & NIF_ICON);
    EXPECT_EQ(readd.data.uCallbackMessage, kTrayCallbackMessage);
    // A text longer than the balloon holds is cut, never overrun.
    EXPECT_EQ(std::wcslen(readd.data.szInfo), std::size(readd.data.szInfo) - 1);
}

TEST_F(FloatingWindowTest, HintShowsTheInformationTextAboveLeftOfTheWindowsBottomMiddle) {
    trayText = "Подключен\r\rПринято: 10\r";
    // Hidden floating window: the hint still points at its place.
    SendMessageW(Handle(), kTrayCallbackMessage, MAKEWPARAM(1200, 1000), TrayEvent(NIN_POPUPOPEN));
    const HWND hint = window.HintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(IsWindowVisible(hint));

    wchar_t text[256] = L"";
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = Handle();
    tool.uId = 1;
    tool.lpszText = text;
    SendMessageW(hint, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"Подключен\r\n\r\nПринято: 10");
    const RECT area = WorkArea();
    const POINT anchor{area.right - 176 + 3 + 85, area.bottom - 76 + 3 + 70};
    RECT bounds;
    GetWindowRect(hint, &bounds);
    EXPECT_LE(bounds.right, anchor.x);
    EXPECT_LE(bounds.bottom, anchor.y);
    EXPECT_GE(bounds.left, area.left);
    EXPECT_GE(bounds.top, area.top);

    SendMessageW(Handle(), kTrayCallbackMessage, MAKEWPARAM(1200, 1000), TrayEvent(NIN_POPUPCLOSE));
    EXPECT_FALSE(IsWindowVisible(hint));
}

TEST_F(FloatingWindowTest, HintHidesByItselfAfterFiveSeconds) {
    trayText = "No active Connections";
    SendMessageW(Handle(), kTrayCallbackMessage, 0, TrayEvent(NIN_POPUPOPEN));
    const HWND hint = window.HintWindow();
    ASSERT_TRUE(IsWindowVisible(hint));
    const DWORD shown = GetTickCount();
    PumpUntil(8000, [hint] { return !IsWindowVisible(hint); });
    const DWORD visibleMs = GetTickCount() - shown;
    EXPECT_FALSE(IsWindowVisible(hint));
    EXPECT_GE(visibleMs, 4900u);
}

TEST(FloatingWindowSystemTray, TheRealIconLivesFromCreationToDestruction) {
    DrawingColours colours;
    FloatingWindow window(colours);
    ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr), FloatingWindowEvents{}));
    const HWND handle = window.Handle();
    NOTIFYICONDATAW probe{};
    probe.cbSize = sizeof(probe);
    probe.hWnd = handle;
    probe.uID = 1;
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe));
    DestroyWindow(handle);
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe));
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

}  // namespace
}  // namespace orv::testing
