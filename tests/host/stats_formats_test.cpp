#include <gtest/gtest.h>

#include "stats/statistics_formats.h"

namespace orv {
namespace {

TEST(StatsFormats, DurationsShowWholeHoursBeyondADay) {
    EXPECT_EQ(FormatDuration(0), "00:00:00");
    EXPECT_EQ(FormatDuration(3'723'000), "01:02:03");
    EXPECT_EQ(FormatDuration(3'723'999), "01:02:03");  // truncated, not rounded
    EXPECT_EQ(FormatDuration(90'000'000), "25:00:00");
    EXPECT_EQ(FormatDuration(360'000'000), "100:00:00");
    // Beyond the signed 32-bit range of milliseconds (596 hours).
    EXPECT_EQ(FormatDuration(3'600'000LL * 1000 + 59'000), "1000:00:59");
    const DurationParts parts = SplitDuration(3'723'456);
    EXPECT_EQ(parts.hours, 1);
    EXPECT_EQ(parts.minutes, 2);
    EXPECT_EQ(parts.seconds, 3);
}

TEST(StatsFormats, ParseDurationReadsFormattedTextsOnly) {
    EXPECT_EQ(ParseDuration("01:02:03"), 3723);
    EXPECT_EQ(ParseDuration("25:00:00"), 90'000);
    EXPECT_EQ(ParseDuration("1000:00:59"), 3'600'059);
    EXPECT_EQ(ParseDuration(FormatDuration(123'456'000)), 123'456);
    EXPECT_EQ(ParseDuration(""), 0);
    EXPECT_EQ(ParseDuration("12:30"), 0);
    EXPECT_EQ(ParseDuration("aa:bb:cc"), 0);
    // Absurd texts read as 0 instead of overflowing (UBSan would stop here).
    EXPECT_EQ(ParseDuration("9223372036854775807:00:00"), 0);
    EXPECT_EQ(ParseDuration("00:9223372036854775807:00"), 0);
    EXPECT_EQ(ParseDuration("-9223372036854775808:00:00"), 0);
    EXPECT_EQ(ParseDuration("1000001:00:00"), 0);
    EXPECT_EQ(ParseDuration("00:60:00"), 0);
}

TEST(StatsFormats, ParseCountAcceptsOldSignedAndNew64BitCounts) {
    EXPECT_EQ(ParseCount("0"), 0);
    EXPECT_EQ(ParseCount("1536"), 1536);
    EXPECT_EQ(ParseCount("-2147483648"), -2'147'483'648LL);
    EXPECT_EQ(ParseCount("2147483648"), 2'147'483'648LL);
    EXPECT_EQ(ParseCount("3000000000"), 3'000'000'000LL);
    EXPECT_EQ(ParseCount("4294967295"), 4'294'967'295LL);
    EXPECT_EQ(ParseCount("6000000000"), 6'000'000'000LL);
    EXPECT_EQ(ParseCount("9223372036854775807"), 9'223'372'036'854'775'807LL);
    EXPECT_EQ(ParseCount("9223372036854775808"), 0);
    EXPECT_EQ(ParseCount("-2147483649"), 0);
    EXPECT_EQ(ParseCount(""), 0);
    EXPECT_EQ(ParseCount("12abc"), 0);
    EXPECT_EQ(ParseCount("1,50"), 0);
    EXPECT_EQ(ParseCount("99999999999999999999999"), 0);
}

TEST(StatsFormats, TotalKilobytesFillThePictureFromTheRight) {
    EXPECT_EQ(FormatTotalKilobytes(0), "  0");    // a zero has its digit
    EXPECT_EQ(FormatTotalKilobytes(511), "  0");  // 0.499 KB
    EXPECT_EQ(FormatTotalKilobytes(512), "  1");  // half rounded up
    EXPECT_EQ(FormatTotalKilobytes(5 * 1024), "  5");
    EXPECT_EQ(FormatTotalKilobytes(1234 * 1024), " 1 234");
    EXPECT_EQ(FormatTotalKilobytes(1'234'567LL * 1024), "1 234 567");
    EXPECT_EQ(FormatTotalKilobytes(1'234'567'890LL * 1024), "1234 567 890");
    // 3 GB received: beyond the signed 32-bit sums.
    EXPECT_EQ(FormatTotalKilobytes(3'000'000'000LL), "2 929 688");
    EXPECT_EQ(FormatTotalKilobytes(-5 * 1024), "  -5");
}

TEST(StatsFormats, SelectionKilobytesUseTheRegionalSeparator) {
    EXPECT_EQ(FormatSelectionKilobytes(0, " "), "0 KB");
    EXPECT_EQ(FormatSelectionKilobytes(511, " "), "0 KB");
    EXPECT_EQ(FormatSelectionKilobytes(1536, " "), "2 KB");
    EXPECT_EQ(FormatSelectionKilobytes(3072, " "), "3 KB");
    EXPECT_EQ(FormatSelectionKilobytes(999 * 1024, ","), "999 KB");
    EXPECT_EQ(FormatSelectionKilobytes(1000 * 1024, ","), "1,000 KB");
    EXPECT_EQ(FormatSelectionKilobytes(1'234'567LL * 1024, "\xC2\xA0"),
              "1\xC2\xA0"
              "234\xC2\xA0"
              "567 KB");
}

}  // namespace
}  // namespace orv
