#include "base/regional_formats.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace orv {
namespace {

RegionalFormats Russian() {
    return {"dd.MM.yyyy", "H:mm:ss", "", "", ",", "\xC2\xA0"};
}
RegionalFormats UsEnglish() {
    return {"M/d/yyyy", "h:mm:ss tt", "AM", "PM", ".", ","};
}
RegionalFormats German() {
    return {"dd.MM.yyyy", "HH:mm:ss", "", "", ",", "."};
}

const LocalDateTime kAfternoon{2024, 3, 5, 14, 7, 9, 0};

TEST(LocalDateTimeText, FollowsEachLocalesPictures) {
    EXPECT_EQ(FormatLocalDateTime(kAfternoon, Russian()), "05.03.2024 14:07:09");
    EXPECT_EQ(FormatLocalDateTime(kAfternoon, UsEnglish()), "3/5/2024 2:07:09 PM");
    EXPECT_EQ(FormatLocalDateTime(kAfternoon, German()), "05.03.2024 14:07:09");

    const LocalDateTime earlyMorning{2024, 11, 25, 0, 0, 5, 0};
    EXPECT_EQ(FormatLocalDateTime(earlyMorning, Russian()), "25.11.2024 0:00:05");
    EXPECT_EQ(FormatLocalDateTime(earlyMorning, UsEnglish()), "11/25/2024 12:00:05 AM");
    EXPECT_EQ(FormatLocalDateTime(earlyMorning, German()), "25.11.2024 00:00:05");

    // Exactly midnight is the date alone.
    EXPECT_EQ(FormatLocalDateTime({2024, 1, 2, 0, 0, 0, 0}, UsEnglish()), "1/2/2024");
}

TEST(LocalDateTimeText, PicturesWithQuotesShortYearsAndDesignatorLetters) {
    RegionalFormats formats = UsEnglish();
    formats.shortDate = "yy'-'MM'-'dd 'yr'''";
    formats.longTime = "hh'h'mm t 'at' H";
    EXPECT_EQ(FormatShortDate(kAfternoon, formats), "24-03-05 yr'");
    EXPECT_EQ(FormatLongTime(kAfternoon, formats), "02h07 P at 14");

    formats.shortDate = "d/M/yy";
    formats.longTime = "H:mm";
    EXPECT_EQ(ParseLocalDateTime("5/3/49 7:05", formats)->year, 2049);
    EXPECT_EQ(ParseLocalDateTime("5/3/50 7:05", formats)->year, 1950);
}

TEST(LocalDateTimeText, ParsesBackWhatItWrites) {
    for (const RegionalFormats& formats : {Russian(), UsEnglish(), German()}) {
        for (int hour = 0; hour < 24; ++hour) {
            const LocalDateTime moment{2023, 12, 31, hour, hour * 2 % 60, 59 - hour, 0};
            const std::string text = FormatLocalDateTime(moment, formats);
            EXPECT_EQ(ParseLocalDateTime(text, formats), moment) << text;
        }
        const LocalDateTime midnight{2024, 2, 29, 0, 0, 0, 0};
        EXPECT_EQ(ParseLocalDateTime(FormatLocalDateTime(midnight, formats), formats), midnight);
    }
}

TEST(LocalDateTimeText, DayAndMonthNamesAreTwoDigitNumbersThatReadBack) {
    RegionalFormats formats = Russian();
    const LocalDateTime ninth{2026, 12, 9, 8, 30, 0, 0};
    formats.shortDate = "dd-MMM-yy";
    EXPECT_EQ(FormatLocalDateTime(ninth, formats), "09-12-26 8:30:00");
    EXPECT_EQ(ParseLocalDateTime(FormatLocalDateTime(ninth, formats), formats), ninth);
    formats.shortDate = "ddd dd.MM.yyyy";
    const LocalDateTime fifth{2026, 3, 5, 0, 0, 0, 0};
    EXPECT_EQ(FormatLocalDateTime(fifth, formats), "05 05.03.2026");
    EXPECT_EQ(ParseLocalDateTime(FormatLocalDateTime(fifth, formats), formats), fifth);
}

TEST(LocalDateTimeText, RejectsTextsThatDoNotFitTheSettings) {
    EXPECT_FALSE(ParseLocalDateTime("3/5/2024 2:07:09 PM", Russian()));
    EXPECT_FALSE(ParseLocalDateTime("05.03.2024 14:07:09", UsEnglish()));
    EXPECT_FALSE(ParseLocalDateTime("31.02.2024", German()));
    EXPECT_FALSE(ParseLocalDateTime("05.03.2024 24:00:00", German()));
    EXPECT_FALSE(ParseLocalDateTime("05.03.2024 14:07:09x", Russian()));
    EXPECT_FALSE(ParseLocalDateTime("3/5/2024 13:07:09 PM", UsEnglish()));
    EXPECT_FALSE(ParseLocalDateTime("", Russian()));
}

TEST(LocalDateTimeArithmetic, CrossesDaysMonthsAndLeapDays) {
    EXPECT_EQ(AddMilliseconds({2024, 3, 1, 0, 0, 10, 0}, -20'000),
              (LocalDateTime{2024, 2, 29, 23, 59, 50, 0}));
    EXPECT_EQ(AddMilliseconds({2023, 3, 1, 0, 0, 0, 250}, -500),
              (LocalDateTime{2023, 2, 28, 23, 59, 59, 750}));
    EXPECT_EQ(AddMilliseconds({2024, 12, 31, 23, 0, 0, 0}, 3'600'000),
              (LocalDateTime{2025, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(AddMilliseconds({2024, 3, 5, 14, 7, 9, 0}, -4'294'967'295LL),
              (LocalDateTime{2024, 1, 15, 21, 4, 21, 705}));
}

TEST(DurationText, IsALengthInHoursMinutesAndSeconds) {
    constexpr std::uint32_t kFiveMinutes = 323'000;  // 0:05:23
    EXPECT_EQ(FormatDurationText(kFiveMinutes, Russian()), "0:05:23");
    EXPECT_EQ(FormatDurationText(kFiveMinutes, German()), "00:05:23");
    EXPECT_EQ(FormatDurationText(17'000, UsEnglish()), "0:00:17");
    EXPECT_EQ(FormatDurationText(90'000'000, UsEnglish()), "25:00:00");
    EXPECT_EQ(FormatDurationText(86'399'999, Russian()), "23:59:59");
    EXPECT_EQ(FormatDurationText(0xFFFF'FFFF, German()), "1193:02:47");
    RegionalFormats dotted = German();
    dotted.longTime = "tt hh.mm.ss";
    EXPECT_EQ(FormatDurationText(kFiveMinutes, dotted), "00.05.23");
}

TEST(SpeedText, ThreeSignificantDigitsAndTwoDecimals) {
    const RegionalFormats russian = Russian();
    EXPECT_EQ(FormatSpeed(0, russian), "0,00");
    EXPECT_EQ(FormatSpeed(1.23456, russian), "1,23");
    EXPECT_EQ(FormatSpeed(12.3456, russian), "12,30");
    EXPECT_EQ(FormatSpeed(123.456, russian), "123,00");
    EXPECT_EQ(FormatSpeed(99.96, russian), "100,00");
    EXPECT_EQ(FormatSpeed(0.999, russian), "1,00");
    EXPECT_EQ(FormatSpeed(0.0456, russian), "0,05");
    EXPECT_EQ(FormatSpeed(0.004, russian), "0,00");
    EXPECT_EQ(FormatSpeed(-0.5, russian), "-0,50");
    EXPECT_EQ(FormatSpeed(-0.001, russian), "0,00");
    EXPECT_EQ(FormatSpeed(12.5, UsEnglish()), "12.50");
}

TEST(SpeedText, ScientificFromAThousandOn) {
    const RegionalFormats russian = Russian();
    EXPECT_EQ(FormatSpeed(999.4, russian), "999,00");
    EXPECT_EQ(FormatSpeed(999.6, russian), "1,00E+03");
    EXPECT_EQ(FormatSpeed(1234.5, russian), "1,23E+03");
    EXPECT_EQ(FormatSpeed(4'194'304, russian), "4,19E+06");
    EXPECT_EQ(FormatSpeed(-1500, russian), "-1,50E+03");
    EXPECT_EQ(FormatSpeed(1e12, UsEnglish()), "1.00E+12");
}

// The fixed-width numbers of files and reports are written as the C library writes them.
TEST(FixedWidthNumbers, MatchTheCLibrarysFormatter) {
    for (const long long value : {0LL, 7LL, -7LL, 42LL, -42LL, 12345LL, LLONG_MIN, LLONG_MAX}) {
        char zeroPadded[32];
        char digits[32];
        std::snprintf(zeroPadded, sizeof zeroPadded, "%04lld", value);
        std::snprintf(digits, sizeof digits, "%.3lld", value);
        std::string ours;
        AppendZeroPadded(ours, value, 4);
        EXPECT_EQ(ours, zeroPadded);
        ours.clear();
        AppendDecimal(ours, value, 3);
        EXPECT_EQ(ours, digits);
    }
    EXPECT_EQ(FixedWidthMoment({2026, 3, 4, 5, 6, 7, 8}, "-", " ", ":"), "2026-03-04 05:06:07");
    EXPECT_EQ(FixedWidthMoment({999, 12, 31, 23, 59, 0, 0}, "", "-", ""), "09991231-235900");
}

// Speeds are rounded as the C library's "%.2e" and "%.2f" round, a value exactly on the half
// to the even neighbour: the bytes of a second over 1024 often are.
TEST(SpeedText, RoundsAsTheCLibrarysFormatter) {
    std::vector<double> values = {0.125,
                                  0.375,
                                  2.675,
                                  0.015,
                                  0.995,
                                  99.95,
                                  999.5,
                                  9995,
                                  1.0 / 3,
                                  5e-324,
                                  2.2250738585072014e-308,
                                  1.7976931348623157e308};
    for (int bytes = 1; bytes < 300'000; bytes = bytes * 9 / 8 + 1) {
        values.insert(values.end(), {bytes / 1024.0, bytes / 1024.0 / 3, bytes / 1024.0 / 1.5});
    }
    for (const double value : values) {
        char scientific[64];
        char fixed[400];
        std::snprintf(scientific, sizeof scientific, "%.2e", value);  // "d.dde+XX"
        std::snprintf(fixed, sizeof fixed, "%.2f", value);
        const auto digits =
            static_cast<std::uint32_t>(std::atoi(scientific) * 100 + std::atoi(scientific + 2));
        EXPECT_EQ(RoundedDecimal(value, std::atoi(scientific + 5) - 2), digits) << scientific;
        if (value < 1) {
            EXPECT_EQ(RoundedDecimal(value, -2),
                      static_cast<std::uint32_t>(std::atoi(fixed) * 100 + std::atoi(fixed + 2)))
                << fixed;
        }
    }
    EXPECT_EQ(FormatSpeed(1.125, Russian()), "1,12");
    EXPECT_EQ(FormatSpeed(0.125, Russian()), "0,12");
    EXPECT_EQ(FormatSpeed(999.5, Russian()), "1,00E+03");
    EXPECT_EQ(FormatSpeed(1e-300, Russian()), "0,00");
}

TEST(DigitPicture, LaysDigitsFromTheRight) {
    EXPECT_EQ(FormatDigitPicture(0, "### ###"), " ");
    EXPECT_EQ(FormatDigitPicture(5, "### ###"), " 5");
    EXPECT_EQ(FormatDigitPicture(1234, "### ###"), "1 234");
    EXPECT_EQ(FormatDigitPicture(1'234'567, "### ###"), "1234 567");
    EXPECT_EQ(FormatDigitPicture(1'234'567, "### ### ###"), "1 234 567");
    EXPECT_EQ(FormatDigitPicture(0, "### ### ###"), "  ");
}

TEST(DigitPicture, TrafficKilobytesRoundHalvesUpward) {
    EXPECT_EQ(FormatTrafficKilobytes(511), " ");
    EXPECT_EQ(FormatTrafficKilobytes(512), " 1");
    EXPECT_EQ(FormatTrafficKilobytes(1234 * 1024), "1 234");
    EXPECT_EQ(FormatTrafficKilobytes(0xFFFF'FFFF), "4194 304");
}

}  // namespace
}  // namespace orv
