// The shared pop-up menu's table and the tray information hint's text and placement.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "dialer/line_entries.h"
#include "dialer_fakes.h"
#include "monitor/popup_menu.h"
#include "monitor/tray_hint_layout.h"

namespace orv {
namespace {

TEST(PopupMenuTable, PagesWithCodesThreeToTenThenTheLineEntriesAndExit) {
    const auto entries = PopupMenuEntries();
    const std::vector<std::string> pages{"Information", "Statistics", "AllStatistics", "DialUp",
                                         "Events",      "Options",    "Scheduler",     "About"};
    ASSERT_EQ(entries.size(), pages.size() + 5);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(entries[i].text, pages[i]);
        EXPECT_EQ(entries[i].command, kFirstPageCommand + static_cast<int>(i));
        EXPECT_TRUE(IsPageCommand(entries[i].command));
    }
    EXPECT_EQ(entries[8].command, kSeparator);
    EXPECT_EQ(entries[9].text, "Подключить");
    EXPECT_EQ(entries[9].command, kConnectCommand);
    EXPECT_EQ(entries[10].text, "Отключить");
    EXPECT_EQ(entries[10].command, kDisconnectCommand);
    EXPECT_EQ(entries[11].command, kSeparator);
    EXPECT_EQ(entries[12].text, "Выход");
    EXPECT_EQ(entries[12].command, kExitCommand);
    EXPECT_FALSE(IsPageCommand(kConnectCommand));
    EXPECT_FALSE(IsPageCommand(kDisconnectCommand));
    EXPECT_FALSE(IsPageCommand(kExitCommand));
    EXPECT_FALSE(IsPageCommand(kSeparator));
    EXPECT_FALSE(IsPageCommand(kFirstPageCommand - 1));
    EXPECT_FALSE(IsPageCommand(kLastPageCommand + 1));
}

// "Подключить" only when nothing is held and the page names what to dial; "Отключить" while a
// line, a dial or a waiting redial is held.
TEST(PopupMenuLineEntries, EachIsEnabledOnlyWhenItCanAct) {
    test::DialerLog log;
    test::FakeDialPage page(log);
    CurrentConnection current;
    page.form.useExisting = true;
    page.form.entryName = "Home ISP";
    EXPECT_TRUE(LineEntryStates(page, current, false).connect);
    EXPECT_FALSE(LineEntryStates(page, current, false).disconnect);
    EXPECT_FALSE(LineEntryStates(page, current, true).connect);
    EXPECT_TRUE(LineEntryStates(page, current, true).disconnect);
    current.handle = 0x51;
    EXPECT_FALSE(LineEntryStates(page, current, false).connect);
    EXPECT_TRUE(LineEntryStates(page, current, false).disconnect);
    current.handle = 0;
    page.form.entryName.clear();
    EXPECT_FALSE(LineEntryStates(page, current, false).connect);
    page.form.useExisting = false;
    page.form.phoneNumber = "5551234";
    EXPECT_TRUE(LineEntryStates(page, current, false).connect);
}

TEST(HintBody, EveryLoneCarriageReturnBreaksTheLine) {
    EXPECT_EQ(HintBody("Подключен\r\rПринято: 10\rОтправлено: 5\r"),
              "Подключен\r\n\r\nПринято: 10\r\nОтправлено: 5");
    // Line breaks that are already CR LF or LF stay single.
    EXPECT_EQ(HintBody("a\r\nb\nc"), "a\r\nb\nc");
    EXPECT_EQ(HintBody("No active Connections"), "No active Connections");
    EXPECT_EQ(HintBody("\r\r"), "");
    EXPECT_EQ(HintBody(""), "");
}

class HintPlacement : public ::testing::Test {
  protected:
    const ScreenRect desktop{0, 0, 1280, 994};
};

TEST_F(HintPlacement, PrefersAboveAndLeftOfTheAnchor) {
    const ScreenPoint topLeft = HintTopLeft({1189, 994}, 300, 120, desktop);
    EXPECT_EQ(topLeft.x, 889);
    EXPECT_EQ(topLeft.y, 874);
}

TEST_F(HintPlacement, GoesRightOrBelowWhereThereIsNoRoom) {
    const ScreenPoint nearTopLeftCorner = HintTopLeft({88, 73}, 300, 120, desktop);
    EXPECT_EQ(nearTopLeftCorner.x, 88);
    EXPECT_EQ(nearTopLeftCorner.y, 73);
}

TEST_F(HintPlacement, StaysOnTheDesktop) {
    // Anchor below the work area (the window stranded under the taskbar) and wider than the
    // room on either side: pushed back inside.
    const ScreenPoint stranded = HintTopLeft({1270, 1010}, 300, 120, desktop);
    EXPECT_EQ(stranded.x, 970);
    EXPECT_EQ(stranded.y, 874);
    const ScreenPoint tooWideForEitherSide = HintTopLeft({200, 500}, 1200, 120, desktop);
    EXPECT_EQ(tooWideForEitherSide.x, 80);
    // Larger than the desktop: its top-left corner stays visible.
    const ScreenPoint huge = HintTopLeft({600, 500}, 2000, 2000, desktop);
    EXPECT_EQ(huge.x, 0);
    EXPECT_EQ(huge.y, 0);
}

TEST(HintPlacementSecondMonitor, WorksWithNegativeCoordinates) {
    const ScreenRect leftMonitor{-1920, -200, 0, 880};
    const ScreenPoint topLeft = HintTopLeft({-100, 880}, 300, 120, leftMonitor);
    EXPECT_EQ(topLeft.x, -400);
    EXPECT_EQ(topLeft.y, 760);
}

}  // namespace
}  // namespace orv
