// The detailed statistics page on the real main window over a statistics file on MSXML.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/main_window_win32.h"
#include "app/statistics_page_win32.h"
#include "base/win32/wide_text.h"
#include "metafile_pages.h"
#include "stats/file_storage_win32.h"
#include "stats/msxml_reader_win32.h"
#include "stats_test_folder.h"
#include "tests/common/dialog_fakes.h"

namespace orv {
namespace {

class NoSaveDialog final : public SaveDialog {
  public:
    void SetFilter(std::string_view) override {}
    std::optional<std::string> Execute() override { return std::nullopt; }
    void SetFileName(const std::string&) override {}
};

ConnectionInfo Session(std::string received, std::string sent, std::string durationMs) {
    ConnectionInfo session;
    session.name = "Домашний";
    session.startsession = "12/8/2026 6:00:00 PM";
    session.endsession = "12/8/2026 7:00:00 PM";
    session.averagespeed = "1.50";
    session.serverip = "10.0.0.1";
    session.clientip = "10.0.0.2";
    session.connspeed = "115200";
    session.received = std::move(received);
    session.send = std::move(sent);
    session.duration = std::move(durationMs);
    return session;
}

class StatisticsPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        MainWindowEvents events;
        events.controls = &reactions;
        ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr), std::move(events)));
        file.OpenStatistics(folder.Path());
        page = std::make_unique<StatisticsPage>(
            window, StatisticsPageServices{file, prompts, saveDialog, storage, ",", nullptr,
                                           &printer, [] { return "12/8/2026 7:05 PM"; }});
        page->Register(reactions);
    }

    void SelectRow(int row, bool selected) {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED;
        item.state = selected ? LVIS_SELECTED : 0;
        SendMessageW(List(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    HWND List() const { return window.Control(ids::kSessionList); }
    std::string Label(std::string_view id) const { return WindowText(window.Control(id)); }

    testing::TempProgramFolder folder;
    Win32FileStorage storage;
    MsxmlRecordReader reader;
    StatisticsStore document{storage, reader};
    testing::ScriptedPrompts prompts;
    testing::RecordingNotices notices;
    testing::FixedLogonName logon;
    testing::FixedClock clock;
    NoSaveDialog saveDialog;
    testing::MetafilePrinterDialog printer;
    StatisticsFile file{document, {storage, prompts, notices, logon, clock}};
    ControlReactions reactions;
    MainWindow window;
    std::unique_ptr<StatisticsPage> page;
};

TEST_F(StatisticsPageTest, AnEmptyFileShowsNoRowsAndZeroTotals) {
    page->Shown();
    EXPECT_EQ(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(Label("Label47"), "00:00:00");
    EXPECT_EQ(Label("Label48"), "  0");
    EXPECT_EQ(Label("Label41"), "  0");
}

TEST_F(StatisticsPageTest, ShowingThePageListsTheSessionsEndedSinceTheLastShowing) {
    file.AppendSession(Session("1536", "2048", "3723000"));
    page->Shown();
    EXPECT_EQ(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0), 1);
    file.AppendSession(Session("1536", "1048576", "90000000"));
    EXPECT_EQ(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0), 1);
    page->Shown();
    EXPECT_EQ(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(Label("Label47"), "26:02:03");
    EXPECT_EQ(Label("Label48"), "  3");
    EXPECT_EQ(Label("Label41"), " 1 026");

    wchar_t text[32] = {};
    LVITEMW item{};
    item.iSubItem = 2;
    item.pszText = text;
    item.cchTextMax = 32;
    SendMessageW(List(), LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(Narrow(text), "25:00:00");
}

TEST_F(StatisticsPageTest, SelectionSumsFollowTheSelectionAndLeaveWithThePage) {
    file.AppendSession(Session("1536", "0", "3723000"));
    file.AppendSession(Session("1536", "0", "90000000"));
    page->Shown();
    SelectRow(0, true);
    EXPECT_EQ(window.StatusText(), "В выбранном Принято: 2 KB Отправлено: 0 KB Время: 01:02:03");
    SelectRow(1, true);
    EXPECT_EQ(window.StatusText(), "В выбранном Принято: 3 KB Отправлено: 0 KB Время: 26:02:03");
    SelectRow(0, false);
    SelectRow(1, false);
    EXPECT_EQ(window.StatusText(), "В выбранном Принято: 0 KB Отправлено: 0 KB Время: 00:00:00");
    page->Left();
    EXPECT_EQ(window.StatusText(), "");
}

// A session ending while the page is shown adds its row and leaves the user's selection, and
// its sums, as they were.
TEST_F(StatisticsPageTest, ASessionEndingWhileThePageIsShownKeepsTheSelection) {
    file.AppendSession(Session("1536", "0", "3723000"));
    file.AppendSession(Session("1536", "0", "90000000"));
    ShowWindow(window.Handle(), SW_SHOWNOACTIVATE);
    window.SelectPage(kDetailedStatisticsPage);
    page->Shown();
    SelectRow(1, true);
    const std::string sums = window.StatusText();
    ASSERT_EQ(sums, "В выбранном Принято: 2 KB Отправлено: 0 KB Время: 25:00:00");

    file.AppendSession(Session("1536", "0", "1000"));
    page->SessionStored();
    EXPECT_EQ(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(List(), LVM_GETSELECTEDCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageW(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
    EXPECT_EQ(window.StatusText(), sums);
    EXPECT_EQ(Label("Label47"), "26:02:04");
}

TEST_F(StatisticsPageTest, ClearStatisticsEmptiesTheListOnlyWhenConfirmed) {
    file.AppendSession(Session("1536", "0", "3723000"));
    page->Shown();
    prompts.answerYes = false;
    reactions.Command(ids::kClearStatistics, BN_CLICKED);
    EXPECT_EQ(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0), 1);
    prompts.answerYes = true;
    reactions.Command(ids::kClearStatistics, BN_CLICKED);
    EXPECT_EQ(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(Label("Label47"), "00:00:00");
    EXPECT_EQ(prompts.questions.size(), 2u);
}

TEST_F(StatisticsPageTest, PrintStatisticsPrintsTheListedSessionsWithTheTotalsShown) {
    file.AppendSession(Session("1536", "2048", "3723000"));
    file.AppendSession(Session("1536", "1048576", "90000000"));
    page->Shown();
    reactions.Command(ids::kPrintStatistics, BN_CLICKED);
    ASSERT_EQ(printer.pages.texts.size(), 1u);
    const std::vector<std::string>& texts = printer.pages.texts[0];
    const auto count = [&](std::string_view text) {
        return std::count(texts.begin(), texts.end(), text);
    };
    EXPECT_EQ(count("Orvane Statistics, 12/8/2026 7:05 PM"), 1);
    EXPECT_EQ(count("Домашний"), 2);
    EXPECT_EQ(count("25:00:00"), 1);
    EXPECT_EQ(count("26:02:03"), 1);  // the total online time of the totals box
    EXPECT_EQ(count("1 026"), 1);
    EXPECT_TRUE(prompts.errors.empty());
}

}  // namespace
}  // namespace orv
