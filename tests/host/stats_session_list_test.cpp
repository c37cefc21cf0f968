#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "stats/session_list.h"
#include "stats/statistics_file.h"
#include "support/memory_document.h"

namespace orv {
namespace {

using testing::MemoryDocument;
using testing::SessionRecord;

std::vector<std::string> RowTexts(const SessionList& list, std::size_t row) {
    std::vector<std::string> texts;
    for (std::size_t column = 0; column < list.TextCount(row); ++column) {
        texts.emplace_back(list.Text(row, column));
    }
    return texts;
}

TEST(StatsSessionList, EmptyDocumentGivesNoRowsAndZeroTotals) {
    MemoryDocument document;
    SessionList list;
    const TotalsTexts totals = FormatTotals(LoadSessionList(document, list));
    EXPECT_EQ(list.RowCount(), 0u);
    EXPECT_EQ(totals.onlineTime, "00:00:00");
    EXPECT_EQ(totals.received, "  0");
    EXPECT_EQ(totals.sent, "  0");
}

TEST(StatsSessionList, RowsKeepFileOrderAndShowTheDurationAsTime) {
    MemoryDocument document;
    document.records = {SessionRecord("Zeta", "90000000", "2048", "1024"),
                        SessionRecord("Alpha", "3723000", "1536", "512")};
    SessionList list;
    const SessionTotals totals = LoadSessionList(document, list);
    ASSERT_EQ(list.RowCount(), 2u);
    EXPECT_EQ(RowTexts(list, 0),
              (std::vector<std::string>{"Zeta", "anna", "25:00:00", "115200", "2048", "1024",
                                        "10.0.0.1", "10.0.0.2", "08.12.2026 10:00:00",
                                        "08.12.2026 11:02:03", "1,50"}));
    EXPECT_EQ(list.Text(1, kNameColumn), "Alpha");
    EXPECT_EQ(list.Text(1, kDurationColumn), "01:02:03");
    EXPECT_EQ(totals.durationMs, 90'000'000 + 3'723'000);
    EXPECT_EQ(totals.receivedBytes, 2048 + 1536);
    EXPECT_EQ(totals.sentBytes, 1024 + 512);
    EXPECT_EQ(FormatTotals(totals).received, "  4");  // 3.5 KB rounded up
}

TEST(StatsSessionList, BadNumbersAddNothingButAreShownAsStored) {
    MemoryDocument document;
    document.records = {SessionRecord("A", "soon", "lots", "-"),
                        SessionRecord("B", "1000", "3000000000", "4294967295"),
                        SessionRecord("C", "1000", "9223372036854775808", "7")};
    SessionList list;
    const SessionTotals totals = LoadSessionList(document, list);
    EXPECT_EQ(list.Text(0, kDurationColumn), "00:00:00");
    EXPECT_EQ(list.Text(0, kReceivedColumn), "lots");
    EXPECT_EQ(list.Text(2, kReceivedColumn), "9223372036854775808");
    EXPECT_EQ(totals.durationMs, 2000);
    EXPECT_EQ(totals.receivedBytes, 3'000'000'000LL);
    EXPECT_EQ(totals.sentBytes, 4'294'967'295LL + 7);
}

TEST(StatsSessionList, TotalsBeyondThe32BitRangeStayRight) {
    MemoryDocument document;
    // 700 sessions of 1 hour and 4 000 000 000 bytes each: 700 hours, 2.8 TB.
    for (int i = 0; i < 700; ++i) {
        document.records.push_back(SessionRecord("S", "3600000", "4000000000", "4000000000"));
    }
    SessionList list;
    const TotalsTexts totals = FormatTotals(LoadSessionList(document, list));
    EXPECT_EQ(totals.onlineTime, "700:00:00");
    EXPECT_EQ(totals.received, "2734 375 000");
}

TEST(StatsSessionList, SessionsPast4GiBCountWholeAndNoFileOverflowsATotal) {
    MemoryDocument document;
    // A minute of a gigabit line, as the monitor stores it since it counts the wraps.
    document.records = {SessionRecord("G", "60000", "6000000000", "15000000")};
    SessionList list;
    const TotalsTexts totals = FormatTotals(LoadSessionList(document, list));
    EXPECT_EQ(totals.received, "5 859 375");
    const std::vector<std::size_t> first = {0};
    EXPECT_EQ(SelectionSumsText(list, first, ".", true),
              "В выбранном Принято: 5.859.375 KB Отправлено: 14.648 KB Время: 00:01:00");

    // Hand-made counts at the top of the range stop there (UBSan would stop on an overflow).
    document.records.assign(3, SessionRecord("X", "9223372036854775807", "9223372036854775807",
                                             "-2147483648"));
    const SessionTotals top = LoadSessionList(document, list);
    EXPECT_EQ(top.receivedBytes, std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(top.durationMs, std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(FormatTotals(top).received, "9007199254 740 992");
    const std::vector<std::size_t> all = {0, 1, 2};
    EXPECT_NE(SelectionSumsText(list, all, " ", true).find("Принято: 9 007 199 254 740 992 KB"),
              std::string::npos);
}

TEST(StatsSessionList, ShortAndLongRecordsShiftTheirColumns) {
    MemoryDocument document;
    document.records = {{}, {{"name", "only"}}, SessionRecord("long", "0", "0", "0")};
    document.records.back().emplace_back("extra", "12");
    SessionList list;
    LoadSessionList(document, list);
    ASSERT_EQ(list.RowCount(), 3u);
    EXPECT_EQ(RowTexts(list, 0), std::vector<std::string>{""});
    EXPECT_EQ(RowTexts(list, 1), std::vector<std::string>{"only"});
    EXPECT_EQ(list.TextCount(2), 12u);
    EXPECT_EQ(list.Text(2, 11), "12");
    EXPECT_EQ(list.Text(1, kReceivedColumn), "");
}

TEST(StatsSessionList, RebuildingReplacesThePreviousRows) {
    MemoryDocument document;
    document.records = {SessionRecord("A", "0", "0", "0")};
    SessionList list;
    LoadSessionList(document, list);
    document.records.push_back(SessionRecord("B", "0", "0", "0"));
    LoadSessionList(document, list);
    ASSERT_EQ(list.RowCount(), 2u);
    EXPECT_EQ(list.Text(1, kNameColumn), "B");
}

TEST(StatsSelectionSums, AddSelectedRowsInKilobytesAndWholeSeconds) {
    MemoryDocument document;
    document.records = {SessionRecord("A", "90000000", "1536", "100"),
                        SessionRecord("B", "1500", "1536", "3000000000"),
                        SessionRecord("C", "999", "999999", "0")};
    SessionList list;
    LoadSessionList(document, list);

    const std::vector<std::size_t> one = {0};
    EXPECT_EQ(SelectionSumsText(list, one, " ", true),
              "В выбранном Принято: 2 KB Отправлено: 0 KB Время: 25:00:00");
    const std::vector<std::size_t> two = {1, 0};
    // 3 072 bytes received; 1.5 s is counted as the one whole second column 2 shows.
    EXPECT_EQ(SelectionSumsText(list, two, " ", true),
              "В выбранном Принято: 3 KB Отправлено: 2 929 688 KB Время: 25:00:01");
    EXPECT_EQ(SelectionSumsText(list, {}, " ", true),
              "В выбранном Принято: 0 KB Отправлено: 0 KB Время: 00:00:00");
    EXPECT_EQ(SelectionSumsText(list, one, " ", false),
              "Selected: received 2 KB, sent 0 KB, time 25:00:00");
}

}  // namespace
}  // namespace orv
