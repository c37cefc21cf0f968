// The floating window created in-process: its identity, size and place, opacity, stay-on-top,
// re-placement after display changes, mouse handling and its painted picture.

#include <windows.h>

#include "base/win32/dpi.h"
#include "base/win32/resources.h"
#include "floating_test_window.h"

namespace orv::testing {
namespace {

RECT BoundsOf(HWND window) {
    RECT bounds;
    GetWindowRect(window, &bounds);
    return bounds;
}

void ExpectAtWorkAreaCorner(HWND window) {
    const RECT area = WorkArea();
    const RECT bounds = BoundsOf(window);
    EXPECT_EQ(bounds.right, area.right);
    EXPECT_EQ(bounds.bottom, area.bottom);
    EXPECT_EQ(bounds.right - bounds.left, 176);
    EXPECT_EQ(bounds.bottom - bounds.top, 76);
}

void MoveTo(HWND window, int x, int y) {
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TEST_F(FloatingWindowTest, IsTheBorderlessTopmostTForm2WithoutTaskbarButton) {
    // Read from the window itself: tests running beside this one have TForm2 windows too.
    wchar_t className[16] = {};
    wchar_t caption[32] = {};
    GetClassNameW(Handle(), className, 16);
    GetWindowTextW(Handle(), caption, 32);
    EXPECT_STREQ(className, L"TForm2");
    EXPECT_STREQ(caption, L"ORVMainWindow");
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME));
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
    EXPECT_FALSE(IsWindowVisible(Handle()));
    // The 3-pixel frame is the border: the client area is the drawing area.
    RECT client;
    GetClientRect(Handle(), &client);
    EXPECT_EQ(client.right, 170);
    EXPECT_EQ(client.bottom, 70);
}

TEST_F(FloatingWindowTest, KeepsItsCaptionAndTakesMenuCommandsOnlyWithoutSender) {
    // The companion finds the window by this caption for the whole run.
    SendMessageW(Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Renamed"));
    wchar_t caption[32] = {};
    GetWindowTextW(Handle(), caption, 32);
    EXPECT_STREQ(caption, L"ORVMainWindow");
    // A command naming a control's window is not the menu's.
    SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(3, 0), reinterpret_cast<LPARAM>(Handle()));
    EXPECT_TRUE(pages.empty());
    SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(3, 0), 0);
    EXPECT_EQ(pages, std::vector<int>{3});
}

TEST_F(FloatingWindowTest, EveryShowingPlacesItAtTheWorkAreaCorner) {
    window.Show();
    EXPECT_TRUE(IsWindowVisible(Handle()));
    ExpectAtWorkAreaCorner(Handle());
    MoveTo(Handle(), 40, 30);
    window.Hide();
    EXPECT_FALSE(IsWindowVisible(Handle()));
    window.Show();
    ExpectAtWorkAreaCorner(Handle());
}

TEST_F(FloatingWindowTest, ShownWindowReturnsToTheCornerWhenTheWorkAreaOrDisplayChanges) {
    window.Show();
    MoveTo(Handle(), 40, 30);
    SendMessageW(Handle(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    ExpectAtWorkAreaCorner(Handle());

    MoveTo(Handle(), 40, 30);
    SendMessageW(Handle(), WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
    EXPECT_EQ(BoundsOf(Handle()).left, 40) << "other settings leave a dragged window alone";
    SendMessageW(Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024));
    ExpectAtWorkAreaCorner(Handle());

    // Hidden, it stays where it is; the next showing places it anyway.
    window.Hide();
    MoveTo(Handle(), 40, 30);
    SendMessageW(Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024));
    EXPECT_EQ(BoundsOf(Handle()).left, 40);
}

TEST_F(FloatingWindowTest, AlphaBelowOpaqueMakesItLayeredAndOpaqueClearsIt) {
    window.Show();
    window.SetAlpha(128);
    EXPECT_TRUE(GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(Handle(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 128);
    EXPECT_TRUE(flags & LWA_ALPHA);
    window.SetAlpha(255);
    EXPECT_FALSE(GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST_F(FloatingWindowTest, StayOnTopSwitchesTheTopmostState) {
    // Another topmost window, as a taskbar would be: Wine skips a z-order change of the window
    // that is already first, which an otherwise empty test desktop would make ours.
    const HWND other = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP,
                                       0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(other, SW_SHOWNOACTIVATE);
    for (const bool shown : {true, false}) {
        shown ? window.Show() : window.Hide();
        window.SetStayOnTop(false);
        EXPECT_FALSE(GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) << shown;
        window.SetStayOnTop(true);
        EXPECT_TRUE(GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) << shown;
    }
    DestroyWindow(other);
}

TEST_F(FloatingWindowTest, DoubleClickTogglesTheMainWindow) {
    SendMessageW(Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 40));
    EXPECT_EQ(toggles, 1);
    SendMessageW(Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 40));
    EXPECT_EQ(toggles, 2);
}

TEST_F(FloatingWindowTest, TheMenusLineEntriesAreEnabledAsToldAndRunTheirActions) {
    const PopupMenu menu;
    const auto grayed = [&menu](int command) {
        return (GetMenuState(menu.Handle(), command, MF_BYCOMMAND) & MF_GRAYED) != 0;
    };
    menu.EnableLineEntries({true, false});
    EXPECT_FALSE(grayed(kConnectCommand));
    EXPECT_TRUE(grayed(kDisconnectCommand));
    menu.EnableLineEntries({false, true});
    EXPECT_TRUE(grayed(kConnectCommand));
    EXPECT_FALSE(grayed(kDisconnectCommand));

    SendMessageW(Handle(), WM_COMMAND, kConnectCommand, 0);
    SendMessageW(Handle(), WM_COMMAND, kDisconnectCommand, 0);
    EXPECT_EQ(lineActions, (std::vector<std::string>{"connect", "disconnect"}));
    EXPECT_TRUE(pages.empty());
}

TEST_F(FloatingWindowTest, RightButtonDragMovesTheWindowWithThePointer) {
    window.Show();
    const RECT before = BoundsOf(Handle());
    SendMessageW(Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 40));
    EXPECT_EQ(GetCapture(), Handle());
    // Client points are relative to the window, which moves with every step.
    SendMessageW(Handle(), WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(30, 10));
    SendMessageW(Handle(), WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(40, 45));
    const RECT after = BoundsOf(Handle());
    // Grabbed at (50, 40) of the original place, now under the pointer at screen point
    // (left + 20, top + 15) of that place.
    EXPECT_EQ(after.left, before.left - 30);
    EXPECT_EQ(after.top, before.top - 25);
    // Released after moving: the drag ends without opening the menu (which would block here).
    SendMessageW(Handle(), WM_RBUTTONUP, 0, MAKELPARAM(40, 45));
    EXPECT_NE(GetCapture(), Handle());
    SendMessageW(Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(0, 0));
    EXPECT_EQ(BoundsOf(Handle()).left, after.left);
}

TEST_F(FloatingWindowTest, PaintsTheFrameColourAroundThePicture) {
    window.Show();  // without a tick yet: the idle picture from the first moment
    UpdateWindow(Handle());
    const WindowDc dc(Handle(), WindowDc::Area::WholeWindow);
    const COLORREF frame = GetPixel(dc.Get(), 1, 1);
    const COLORREF frameBottomRight = GetPixel(dc.Get(), 174, 74);
    const COLORREF pictureBackground = GetPixel(dc.Get(), 3 + 100, 3 + 50);
    const COLORREF pictureCorner = GetPixel(dc.Get(), 3 + 169, 3 + 69);
    EXPECT_EQ(frame, colours.border);
    EXPECT_EQ(frameBottomRight, colours.border);
    EXPECT_EQ(pictureBackground, colours.background);
    EXPECT_EQ(pictureCorner, colours.background);
    EXPECT_EQ(window.Picture().Pixel(100, 50), colours.background);
}

// Wine sends no WM_DPICHANGED itself: the test sends it as Windows would.
TEST_F(FloatingWindowTest, ADpiChangeEnlargesFrameAndPictureByAWholeFactor) {
    window.Show();
    RECT suggested = BoundsOf(Handle());
    SendMessageW(Handle(), kDpiChangedMessage, MAKEWPARAM(192, 192),
                 reinterpret_cast<LPARAM>(&suggested));
    UpdateWindow(Handle());
    RECT bounds = BoundsOf(Handle());
    EXPECT_EQ(bounds.right - bounds.left, 352);
    EXPECT_EQ(bounds.bottom - bounds.top, 152);
    EXPECT_EQ(bounds.right, WorkArea().right);  // docked, it stays docked
    EXPECT_EQ(bounds.bottom, WorkArea().bottom);
    {
        const WindowDc dc(Handle(), WindowDc::Area::WholeWindow);
        EXPECT_EQ(GetPixel(dc.Get(), 5, 5), colours.border);  // a 6-pixel frame
        EXPECT_EQ(GetPixel(dc.Get(), 6 + 339, 6 + 139), colours.background);
    }
    // Away from the corner it takes the suggested place, in screen pixels, at its own size.
    MoveTo(Handle(), 300, 200);
    RECT elsewhere{40, 30, 40 + 264, 30 + 114};
    SendMessageW(Handle(), kDpiChangedMessage, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&elsewhere));
    bounds = BoundsOf(Handle());
    EXPECT_EQ(bounds.left, 40);
    EXPECT_EQ(bounds.top, 30);
    EXPECT_EQ(bounds.right - bounds.left, 352);
    RECT design{40, 30, 216, 106};
    SendMessageW(Handle(), kDpiChangedMessage, MAKEWPARAM(96, 96),
                 reinterpret_cast<LPARAM>(&design));
    RECT client;
    GetClientRect(Handle(), &client);
    EXPECT_EQ(client.right, 170);
    EXPECT_EQ(client.bottom, 70);
}

}  // namespace
}  // namespace orv::testing
