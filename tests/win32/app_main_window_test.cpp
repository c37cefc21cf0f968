// The main window built in-process under Wine: its identity, its pages from the layout tables,
// the page switch and the remote commands that show pages.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/about_page_win32.h"
#include "app/main_window_win32.h"
#include "app/page_controls_win32.h"
#include "base/win32/resources.h"
#include "base/win32/wide_text.h"
#include "support/control_texts.h"

namespace orv {
namespace {

std::string ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return Narrow(name);
}

using testing::ColumnCaption;
using testing::TabCaption;

RECT RectInPage(HWND control, HWND page) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int page = 0; page < 8; ++page) {
            reactions.OnPageShown(page, [this, page] { shown.push_back(page); });
            reactions.OnPageLeft(page, [this, page] { left.push_back(page); });
        }
        MainWindowEvents events;
        events.controls = &reactions;
        ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr), std::move(events)));
    }

    ControlReactions reactions;
    MainWindow window;
    std::vector<int> shown;
    std::vector<int> left;
};

TEST_F(MainWindowTest, IsAHiddenFixedDialogOf411By429Centred) {
    HWND handle = window.Handle();
    EXPECT_EQ(ClassOf(handle), "TForm1");
    EXPECT_EQ(WindowText(handle), "Orvane");
    EXPECT_FALSE(IsWindowVisible(handle));
    RECT client;
    GetClientRect(handle, &client);
    EXPECT_EQ(client.right, 411);
    EXPECT_EQ(client.bottom, 429);
    const auto style = GetWindowLongPtrW(handle, GWL_STYLE);
    const auto exStyle = GetWindowLongPtrW(handle, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(exStyle & WS_EX_CONTEXTHELP);
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
    RECT outer;
    GetWindowRect(handle, &outer);
    EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);

    WNDCLASSEXW statistics{};
    statistics.cbSize = sizeof(statistics);
    EXPECT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"TFrmStat", &statistics));
}

TEST_F(MainWindowTest, KeepsItsCaptionAndHearsAControlOnlyFromItsOwnWindow) {
    SendMessageW(window.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Renamed"));
    EXPECT_EQ(WindowText(window.Handle()), "Orvane");

    int hangUps = 0;
    reactions.OnClick(ids::kHangUp, [&hangUps] { ++hangUps; });
    HWND button = window.Control(ids::kHangUp);
    const WPARAM click = MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED);
    // Forged: no sender, another window as sender, a queue of posted ones.
    SendMessageW(window.Handle(), WM_COMMAND, click, 0);
    SendMessageW(window.Handle(), WM_COMMAND, click, reinterpret_cast<LPARAM>(window.Tabs()));
    for (int copy = 0; copy < 5; ++copy) {
        PostMessageW(window.Handle(), WM_COMMAND, click, 1);
    }
    MSG message;
    while (PeekMessageW(&message, window.Handle(), 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
    EXPECT_EQ(hangUps, 0);
    SendMessageW(window.Handle(), WM_COMMAND, click, reinterpret_cast<LPARAM>(button));
    EXPECT_EQ(hangUps, 1);
}

TEST_F(MainWindowTest, ClosingOnlyHidesIt) {
    ShowWindow(window.Handle(), SW_SHOW);
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window.Handle()));
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
}

TEST_F(MainWindowTest, NineTabsInOrderWithTheFirstPageActive) {
    HWND tabs = window.Tabs();
    ASSERT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 9);
    const auto pages = MainWindowPages();
    for (int index = 0; index < 9; ++index) {
        EXPECT_EQ(TabCaption(tabs, index), pages[static_cast<std::size_t>(index)].caption);
        // The window is hidden, so a page's own visibility is its style.
        const auto style = GetWindowLongPtrW(window.Page(index), GWL_STYLE);
        EXPECT_EQ((style & WS_VISIBLE) != 0, index == 0) << index;
    }
    EXPECT_EQ(TabCaption(tabs, 0), "Информация");
    RECT area;
    GetClientRect(window.Page(0), &area);
    EXPECT_GE(area.right, kPageWidth);
    EXPECT_GE(area.bottom, kPageHeight);
    EXPECT_EQ(TabCaption(tabs, 7), "О программе");
    EXPECT_EQ(TabCaption(tabs, 8), "Лимит");
    EXPECT_EQ(SendMessageW(tabs, TCM_GETROWCOUNT, 0, 0), 2);  // as the eight took
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(window.CurrentPage(), 0);
}

TEST_F(MainWindowTest, EveryControlOfTheLayoutTablesIsCreatedWhereTheTableSays) {
    const auto pages = MainWindowPages();
    for (std::size_t index = 0; index < pages.size(); ++index) {
        HWND page = window.Page(static_cast<int>(index));
        for (const ControlSpec& layout : pages[index].controls) {
            SCOPED_TRACE(std::string(layout.id));
            HWND control = window.Control(layout.id);
            ASSERT_NE(control, nullptr);
            EXPECT_EQ(GetParent(control), page);
            EXPECT_EQ(GetDlgCtrlID(control), CommandIdOf(layout.id));
            const RECT rect = RectInPage(control, page);
            EXPECT_EQ(rect.left, layout.rect.x);
            EXPECT_EQ(rect.top, layout.rect.y);
            EXPECT_EQ(rect.right - rect.left, layout.rect.width);
            EXPECT_EQ(IsWindowEnabled(control) == FALSE, layout.disabled);
            switch (layout.kind) {
                case ControlKind::Label:
                case ControlKind::GroupBox:
                case ControlKind::LinkLabel:
                case ControlKind::ComboBox:
                    EXPECT_EQ(WindowText(control), layout.caption);
                    break;
                case ControlKind::CheckBox:
                case ControlKind::RadioButton:
                    EXPECT_EQ(WindowText(control), layout.caption);
                    EXPECT_EQ(SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED,
                              layout.checked);
                    break;
                case ControlKind::ListView:
                case ControlKind::VirtualList:
                case ControlKind::CheckList:
                    for (std::size_t column = 0; column < layout.items.size(); ++column) {
                        EXPECT_EQ(ColumnCaption(control, static_cast<int>(column)),
                                  layout.items[column].text);
                        EXPECT_EQ(SendMessageW(control, LVM_GETCOLUMNWIDTH, column, 0),
                                  layout.items[column].width);
                    }
                    break;
                default:
                    break;
            }
        }
    }
    EXPECT_EQ(window.Control("NoSuchControl"), nullptr);
}

TEST_F(MainWindowTest, ListsAndRangesAreSetUpAsDesigned) {
    HWND speeds = window.Control("ComboBox2");
    ASSERT_EQ(SendMessageW(speeds, CB_GETCOUNT, 0, 0), 5);
    wchar_t item[16] = {};
    SendMessageW(speeds, CB_GETLBTEXT, 4, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(Narrow(item), "56000");

    HWND sessions = window.Control("ListView1");
    const auto style = GetWindowLongPtrW(sessions, GWL_STYLE);
    EXPECT_TRUE(style & LVS_OWNERDATA);
    EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
    EXPECT_FALSE(style & LVS_SINGLESEL);
    EXPECT_FALSE(style & LVS_EDITLABELS);
    const auto extended = SendMessageW(sessions, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    EXPECT_TRUE(extended & LVS_EX_GRIDLINES);
    EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);

    HWND slider = window.Control("TrackBar1");
    EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0), 55);
    EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0), 255);

    HWND upDown = window.Control("UpDown2");
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(upDown, UDM_GETBUDDY, 0, 0)),
              window.Control("Edit7"));
    int low = 0;
    int high = 0;
    SendMessageW(upDown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 1);
    EXPECT_EQ(high, 10240);
}

TEST_F(MainWindowTest, TheStatusTextReachesTheIconsOwnPartAndALongTextIsWholeInItsTooltip) {
    int edges[4] = {};
    EXPECT_EQ(SendMessageW(window.StatusBar(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
    EXPECT_EQ(edges[0], kStateIconRect.left - 2);
    EXPECT_EQ(edges[1], -1);
    window.SetStatusText("Линия занята");
    EXPECT_EQ(window.StatusText(), "Линия занята");
    EXPECT_EQ(window.StatusTip(), "") << "a text that fits needs no tooltip";
    const std::string error =
        "Access denied because username and/or password is invalid on the domain.";
    window.SetStatusText(error);
    EXPECT_EQ(window.StatusText(), error);
    EXPECT_EQ(window.StatusTip(), error);
    window.SetStatusText("");
    EXPECT_EQ(window.StatusTip(), "");
}

TEST_F(MainWindowTest, ShowPageShowsTheWindowWithPageCodeMinusThree) {
    window.ShowPage(4);
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_EQ(window.CurrentPage(), 1);
    EXPECT_EQ(SendMessageW(window.Tabs(), TCM_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(IsWindowVisible(window.Page(1)));
    EXPECT_FALSE(IsWindowVisible(window.Page(0)));
    EXPECT_EQ(left, std::vector<int>{0});
    EXPECT_EQ(shown, std::vector<int>{1});

    // Showing the page already shown reports it shown again (the statistics page reloads).
    window.ShowPage(4);
    EXPECT_EQ(left, std::vector<int>{0});
    EXPECT_EQ(shown, (std::vector<int>{1, 1}));
}

TEST_F(MainWindowTest, RemoteCommandsThreeToTenShowPagesAndOthersAreIgnored) {
    SendMessageW(window.Handle(), WM_USER, 10, 0);
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_EQ(window.CurrentPage(), 7);
    SendMessageW(window.Handle(), WM_USER, 5, 0);
    EXPECT_EQ(window.CurrentPage(), 2);
    SendMessageW(window.Handle(), WM_USER, 11, 0);
    SendMessageW(window.Handle(), WM_USER, 2, 0);
    EXPECT_EQ(window.CurrentPage(), 2);
    EXPECT_EQ(shown, (std::vector<int>{7, 2}));
}

TEST_F(MainWindowTest, ToggleShowsAndHides) {
    window.ToggleVisible();
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    window.ToggleVisible();
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
}

// The width of the text in the label's own font.
int TextWidth(HWND label, const wchar_t* text) {
    const HDC dc = GetDC(label);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    return size.cx;
}

TEST_F(MainWindowTest, TotalsHoldFifteenDigitsAndLongNamesEndWithAnEllipsis) {
    for (const char* id : {"Label47", "Label48", "Label41"}) {
        HWND label = window.Control(id);
        RECT client;
        GetClientRect(label, &client);
        EXPECT_LE(TextWidth(label, L"999 999 999 999 999"), client.right) << id;
    }
    for (const char* id : {"Label20", "Label21", "Label22"}) {
        EXPECT_NE(GetWindowLongW(window.Control(id), GWL_STYLE) & SS_ENDELLIPSIS, 0) << id;
    }
    // The text of several lines is not cut to one.
    EXPECT_EQ(GetWindowLongW(window.Control("Label29"), GWL_STYLE) & SS_ENDELLIPSIS, 0);
}

TEST_F(MainWindowTest, ShowingTheWindowAgainReportsItsPageShownAgain) {
    window.ShowPage(5);
    window.ToggleVisible();
    shown.clear();
    window.ToggleVisible();
    EXPECT_EQ(shown, std::vector<int>{2});
}

TEST_F(MainWindowTest, TheStateIconShowsTheHalfOfItsPictureForTheState) {
    window.ShowPage(3);
    UpdateWindow(window.Handle());
    const WindowDc bar(window.StatusBar());
    window.ShowStateIcon(true);
    const COLORREF connected = GetPixel(bar.Get(), 398, 10);
    window.ShowStateIcon(false);
    const COLORREF disconnected = GetPixel(bar.Get(), 398, 10);
    EXPECT_GT(GetGValue(connected), 128);
    EXPECT_LT(GetRValue(connected), 64);
    EXPECT_GT(GetRValue(disconnected), 128);
    EXPECT_LT(GetGValue(disconnected), 64);
}

TEST_F(MainWindowTest, TheWebLinkTurnsBoldWhileTheMouseIsOverIt) {
    HWND link = window.Control("Label28");
    EXPECT_FALSE(WebLinkHovered(link));
    SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(WebLinkHovered(link));
    SendMessageW(link, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(WebLinkHovered(link));
}

}  // namespace
}  // namespace orv
