// The two divisor tables at their boundaries, and counter steps across the 32-bit wrap.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "monitor/traffic_scale.h"

namespace orv {
namespace {

TEST(GraphsScaleTest, TablesChangeRowJustAfterEachBoundaryAndSendNegativesToTheLastRow) {
    struct Row {
        std::int32_t value;
        std::int32_t main;
        std::int32_t floating;
    };
    const Row rows[] = {{0, 1, 1},
                        {50, 1, 1},
                        {51, 1, 10},
                        {100, 1, 10},
                        {101, 10, 10},
                        {500, 10, 10},
                        {501, 10, 100},
                        {1024, 10, 100},
                        {1025, 100, 100},
                        {5000, 100, 100},
                        {5001, 100, 1024},
                        {10240, 100, 1024},
                        {10241, 1024, 1024},
                        {-1, 1024, 1024},
                        {std::numeric_limits<std::int32_t>::min(), 1024, 1024}};
    for (const Row& row : rows) {
        EXPECT_EQ(MainScale(row.value), row.main) << row.value;
        EXPECT_EQ(FloatingScale(row.value), row.floating) << row.value;
    }
}

TEST(GraphsScaleTest, BarsUseTheLargerStepAndTruncateTowardZero) {
    const BarHeights mixed = ScaleBars({-2047, 1000}, MainScale);
    EXPECT_EQ(mixed.received, -204);
    EXPECT_EQ(mixed.sent, 100);
    const BarHeights bothNegative = ScaleBars({-5000, -100}, MainScale);
    EXPECT_EQ(bothNegative.received, -4);
    EXPECT_EQ(bothNegative.sent, 0);
}

}  // namespace
}  // namespace orv
