#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "stats/month_chart.h"

namespace orv {
namespace {

RegionalFormats Formats() {
    RegionalFormats formats;
    formats.shortDate = "dd.MM.yyyy";
    formats.longTime = "H:mm:ss";
    return formats;
}

// One row per session: duration (column 2), received (4), sent (5), end (9).
void AddSession(SessionList& list, std::string_view duration, std::string_view received,
                std::string_view sent, std::string_view end) {
    list.AddRow();
    for (std::string_view text :
         {std::string_view("Home"), std::string_view("anna"), duration, std::string_view("115200"),
          received, sent, std::string_view("10.0.0.1"), std::string_view("10.0.0.2"),
          std::string_view("01.01.2005 10:00:00"), end, std::string_view("1,00")}) {
        list.AddText(text);
    }
}

MonthChart Sums(const SessionList& list, MonthChartKind kind) {
    return SumByMonth(list, kind, Formats());
}

TEST(StatsMonthChart, SessionsOfOneMonthInDifferentYearsShareTheRow) {
    SessionList list;
    AddSession(list, "01:00:00", "300", "7", "15.03.2005 10:00:00");
    AddSession(list, "00:30:00", "100", "8", "02.03.2006 23:59:59");
    AddSession(list, "25:00:00", "50", "9", "31.05.2006 01:00:00");
    const MonthChart received = Sums(list, MonthChartKind::Received);
    EXPECT_EQ(received.sums[2], 400);
    EXPECT_EQ(received.sums[4], 50);
    EXPECT_EQ(Sums(list, MonthChartKind::Sent).sums[2], 15);
    const MonthChart time = Sums(list, MonthChartKind::Time);
    EXPECT_EQ(time.sums[2], 5400);
    EXPECT_EQ(MonthFigure(time, 5), "25:00:00");
    EXPECT_EQ(MonthFigure(time, 1), "00:00:00");
    EXPECT_EQ(MonthFigure(received, 3), "400");
}

TEST(StatsMonthChart, MonthsPastTwoGigabytesAndSixHundredHoursKeepTheirFigures) {
    SessionList list;
    AddSession(list, "400:00:00", "4294967295", "0", "01.07.2006 10:00:00");
    AddSession(list, "400:00:00", "4294967295", "0", "02.07.2006 10:00:00");
    EXPECT_EQ(MonthFigure(Sums(list, MonthChartKind::Received), 7), "8589934590");
    EXPECT_EQ(MonthFigure(Sums(list, MonthChartKind::Time), 7), "800:00:00");
}

// Ends written under other regional settings are left out and counted; the rest is charted.
TEST(StatsMonthChart, UnreadableEndsAreLeftOutAndCounted) {
    SessionList list;
    AddSession(list, "01:00:00", "5", "1", "15.03.2005 10:00:00");
    AddSession(list, "01:00:00", "7", "1", "12/9/2026 3:30:17 PM");
    AddSession(list, "01:00:00", "11", "1", "");
    AddSession(list, "01:00:00", "13", "1", "02.03.2006");
    const MonthChart chart = Sums(list, MonthChartKind::Received);
    EXPECT_EQ(chart.sums[2], 18);
    EXPECT_EQ(chart.leftOut, 2u);
    EXPECT_EQ(LeftOutNote(chart.leftOut, false), "2 sessions left out: end date not readable");
    EXPECT_EQ(LeftOutNote(1, true), "Не учтено сеансов: 1 (дата окончания не читается)");
    EXPECT_EQ(LeftOutNote(0, false), "");
}

TEST(StatsMonthChart, WidthsScaleToTheLargestMonthWithHalvesToEven) {
    MonthChart chart{MonthChartKind::Received, {300, 100}};
    auto widths = MonthBarWidths(chart);
    EXPECT_EQ(widths[0], 150);
    EXPECT_EQ(widths[1], 50);
    EXPECT_EQ(widths[2], 0);
    // 1/300, 3/300 and 5/300 of 150 are 0.5, 1.5 and 2.5.
    chart.sums = {300, 1, 3, 5, 7, -20};
    widths = MonthBarWidths(chart);
    EXPECT_EQ(widths[1], 0);
    EXPECT_EQ(widths[2], 2);
    EXPECT_EQ(widths[3], 2);
    EXPECT_EQ(widths[4], 4);
    EXPECT_EQ(widths[5], 0);
    // No bytes at all: the scale is 1 and every bar is empty; no time at all: the same.
    EXPECT_EQ(MonthBarWidths(MonthChart{MonthChartKind::Sent, {}}), (std::array<int, 12>{}));
    EXPECT_EQ(MonthBarWidths(MonthChart{MonthChartKind::Time, {}}), (std::array<int, 12>{}));
    // Sums at the top of the 64-bit range scale without overflowing.
    chart.sums = {std::numeric_limits<std::int64_t>::max(),
                  std::numeric_limits<std::int64_t>::max() / 2};
    widths = MonthBarWidths(chart);
    EXPECT_EQ(widths[0], 150);
    EXPECT_EQ(widths[1], 75);
}

TEST(StatsMonthChart, TitlesAndMonthNamesInBothLanguages) {
    EXPECT_EQ(MonthName(1, false), "January:  ");
    EXPECT_EQ(MonthName(12, true), "Декабрь: ");
    EXPECT_EQ(MonthChartTitle(MonthChartKind::Sent, false), "Send Bytes on Months");
    EXPECT_EQ(MonthChartTitle(MonthChartKind::Received, true),
              "Распределение принятых байт по месяцам");
}

}  // namespace
}  // namespace orv
