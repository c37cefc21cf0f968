#include <gtest/gtest.h>

#include "app/settings_encoding.h"

namespace orv {
namespace {

TEST(SettingsEncoding, FlagsReadAnyNonZeroNumberAsOnAndJunkAsTheDefault) {
    EXPECT_TRUE(DecodeFlag("2", false));
    EXPECT_TRUE(DecodeFlag("-1", false));
    EXPECT_FALSE(DecodeFlag("0", true));
    EXPECT_TRUE(DecodeFlag("x", true));
    EXPECT_FALSE(DecodeFlag("x", false));
    EXPECT_FALSE(DecodeFlag("1x", false));
    EXPECT_TRUE(DecodeFlag(std::nullopt, true));
    EXPECT_EQ(EncodeFlag(true), "1");
    EXPECT_EQ(EncodeFlag(false), "0");
}

TEST(SettingsEncoding, OnlyWholeDecimalNumbersInSignedRangeParse) {
    EXPECT_EQ(ParseDecimalInt32("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseDecimalInt32("+17"), 17);
    for (const char* junk : {"", " 1", "1 ", "2147483648", "0x10", "+-1", "-", "1.5"}) {
        EXPECT_EQ(ParseDecimalInt32(junk), std::nullopt) << junk;
    }
}

TEST(SettingsEncoding, ColoursKeepAllBitsAsSignedDecimal) {
    EXPECT_EQ(EncodeColour(0x00FF0000u), "16711680");   // pure blue
    EXPECT_EQ(EncodeColour(0xFF000001u), "-16777215");  // desktop background
    EXPECT_EQ(DecodeColour("-16777201", 0), 0xFF00000Fu);
    EXPECT_EQ(DecodeColour("green", 0x00FF00u), 0x00FF00u);
    EXPECT_EQ(DecodeInteger("abc", 255), 255);
    EXPECT_EQ(DecodeInteger("-7", 255), -7);
}

}  // namespace
}  // namespace orv
