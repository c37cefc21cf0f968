#pragma once
// Picture checks shared by the raster canvas (host) and the GDI canvas (under Wine): both must
// give the same pixels for the same drawing. Instantiate with a type whose static
// Make(width, height) returns a std::unique_ptr<orv::Canvas>.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "monitor/canvas.h"
#include "monitor/floating_drawing.h"
#include "monitor/traffic_graph_drawing.h"

namespace orv::testing {

inline constexpr DrawingColours kTestColours{0x00202020, 0x0000C000, 0x000000C0, 0x00C0C000,
                                             0x00808080};

template <typename Pictures>
class GraphPictureTest : public ::testing::Test {
  protected:
    static constexpr int kFloatingBottom = FloatingDrawing::kHeight - 1;
    static constexpr int kMainBottom = TrafficGraphDrawing::kHeight - 1;

    DrawingColours colours = kTestColours;
    std::unique_ptr<Canvas> floatingPicture =
        Pictures::Make(FloatingDrawing::kWidth, FloatingDrawing::kHeight);
    std::unique_ptr<Canvas> mainPicture =
        Pictures::Make(TrafficGraphDrawing::kWidth, TrafficGraphDrawing::kHeight);
    int floatingShows = 0;
    int mainShows = 0;
    FloatingDrawing floating{*floatingPicture, colours, [this] { ++floatingShows; }};
    TrafficGraphDrawing graphs{*mainPicture, colours, [this] { ++mainShows; }, floating};

    void Connected(std::int32_t receivedDelta, std::int32_t sentDelta) {
        floating.DrawFloatingConnected({1, 2, "0:00:01", "0,50", "0", receivedDelta, sentDelta});
    }

    // A connected tick whose bars are these bytes a second.
    void MainTick(std::int32_t receivedPerSecond, std::int32_t sentPerSecond) {
        graphs.DrawTrafficGraphs({1, 2, "0:00:01", "0,50", "0", receivedPerSecond, sentPerSecond});
    }

    // Zero-step ticks until the main graph's latest column is `column`.
    void AdvanceMainTo(int column) {
        while (graphs.MainGraphColumn() < column) {
            MainTick(0, 0);
        }
    }

    // Height of the bar of `colour` standing on the bottom edge at x (0 when none is there).
    static int BarHeight(const Canvas& picture, int x, Colour colour) {
        int height = 0;
        while (height < picture.Height() &&
               picture.Pixel(x, picture.Height() - 1 - height) == colour) {
            ++height;
        }
        return height;
    }

    static bool RegionHolds(const Canvas& picture, Rect region, Colour colour) {
        for (int y = region.top; y < region.bottom; ++y) {
            for (int x = region.left; x < region.right; ++x) {
                if (picture.Pixel(x, y) == colour) {
                    return true;
                }
            }
        }
        return false;
    }

    static bool RegionIsAll(const Canvas& picture, Rect region, Colour colour) {
        for (int y = region.top; y < region.bottom; ++y) {
            for (int x = region.left; x < region.right; ++x) {
                if (picture.Pixel(x, y) != colour) {
                    return false;
                }
            }
        }
        return true;
    }
};

TYPED_TEST_SUITE_P(GraphPictureTest);

TYPED_TEST_P(GraphPictureTest, RectangleHasOutlineAndFillAndExcludesRightAndBottomEdges) {
    Canvas& p = *this->floatingPicture;
    p.FillRectangle({0, 0, 20, 20}, 0, 0);
    p.FillRectangle({6, 5, 2, 2}, 0x000000FF, 0x00FF0000);
    EXPECT_EQ(p.Pixel(2, 2), 0x000000FFu);
    EXPECT_EQ(p.Pixel(5, 4), 0x000000FFu);
    EXPECT_EQ(p.Pixel(3, 3), 0x00FF0000u);
    EXPECT_EQ(p.Pixel(6, 3), 0u);
    EXPECT_EQ(p.Pixel(3, 5), 0u);
    p.FillRectangle({10, 10, 15, 10}, 0x000000FF, 0x000000FF);
    EXPECT_FALSE(this->RegionHolds(p, {0, 8, 20, 12}, 0x000000FF)) << "empty rectangle drawn";
}

TYPED_TEST_P(GraphPictureTest, IdlePictureShowsFourColouredLabelsAndNoBars) {
    this->Connected(40, 20);
    this->floating.DrawFloatingIdle();
    const Canvas& p = *this->floatingPicture;
    const DrawingColours& c = this->colours;
    EXPECT_TRUE(this->RegionHolds(p, {0, 0, 80, 12}, c.received));
    EXPECT_TRUE(this->RegionHolds(p, {85, 0, 170, 12}, c.sent));
    EXPECT_TRUE(this->RegionHolds(p, {0, 12, 80, 24}, c.time));
    EXPECT_TRUE(this->RegionHolds(p, {85, 12, 170, 24}, c.time));
    EXPECT_FALSE(this->RegionHolds(p, {0, 0, 85, 24}, c.sent));
    EXPECT_TRUE(this->RegionIsAll(p, {0, 26, 170, 70}, c.background)) << "old bars left";
    EXPECT_EQ(this->floating.BarColumn(), 0) << "the idle picture keeps the column";
    EXPECT_EQ(this->floatingShows, 2);
}

TYPED_TEST_P(GraphPictureTest, FloatingBarsFillThirtyColumnsThenScroll) {
    const Canvas& p = *this->floatingPicture;
    const Colour received = this->colours.received;
    for (int tick = 0; tick < 30; ++tick) {
        this->Connected(tick + 1, 0);
        ASSERT_EQ(this->floating.BarColumn(), tick);
    }
    for (int column = 0; column < 30; ++column) {
        for (int x = 5 * column; x < 5 * column + 5; ++x) {
            ASSERT_EQ(this->BarHeight(p, x, received), column + 1) << "x = " << x;
        }
    }
    EXPECT_TRUE(this->RegionIsAll(p, {150, 24, 170, 70}, this->colours.background));

    this->Connected(40, 0);
    EXPECT_EQ(this->floating.BarColumn(), 29);
    EXPECT_EQ(this->BarHeight(p, 145, received), 40);
    EXPECT_EQ(this->BarHeight(p, 140, received), 30);
    EXPECT_EQ(this->BarHeight(p, 0, received), 2) << "the leftmost bar falls off";
    EXPECT_TRUE(this->RegionIsAll(p, {150, 24, 170, 70}, this->colours.background));

    this->Connected(45, 0);
    EXPECT_EQ(this->BarHeight(p, 145, received), 45);
    EXPECT_EQ(this->BarHeight(p, 140, received), 40);
}

TYPED_TEST_P(GraphPictureTest, FloatingBarsUseBothFactorTables) {
    const Canvas& p = *this->floatingPicture;
    const DrawingColours& c = this->colours;
    this->Connected(7000, 300);
    EXPECT_EQ(this->BarHeight(p, 2, c.received), 7);
    EXPECT_FALSE(this->RegionHolds(p, {0, 24, 170, 70}, c.sent));

    this->Connected(60000, 0);
    EXPECT_EQ(this->BarHeight(p, 7, c.received), 5);

    // The sent bar is drawn over the received one: only the taller part of received shows.
    this->Connected(30, 10);
    EXPECT_EQ(this->BarHeight(p, 12, c.sent), 10);
    EXPECT_EQ(p.Pixel(12, this->kFloatingBottom - 10), c.received);
    EXPECT_EQ(p.Pixel(12, this->kFloatingBottom - 29), c.received);
    EXPECT_EQ(p.Pixel(12, this->kFloatingBottom - 30), c.background);

    this->Connected(-5000, -100);
    EXPECT_TRUE(this->RegionIsAll(p, {15, 24, 170, 70}, c.background)) << "negative bar shown";
}

// Main-graph bars are checked from column 20 on (x = 100), right of the figures' texts.
TYPED_TEST_P(GraphPictureTest, MainBarsScaleByTheLargerStepAndSentCoversReceived) {
    const Canvas& p = *this->mainPicture;
    const DrawingColours& c = this->colours;
    this->AdvanceMainTo(19);
    this->MainTick(80, 900);
    EXPECT_EQ(this->BarHeight(p, 102, c.sent), 24) << "white line at H - 25 crosses the bar";
    EXPECT_EQ(p.Pixel(102, this->kMainBottom - 89), c.sent);
    EXPECT_EQ(p.Pixel(102, this->kMainBottom - 90), c.background);
    EXPECT_FALSE(this->RegionHolds(p, {100, 30, 105, 130}, c.received));

    this->MainTick(900, 80);
    EXPECT_EQ(this->BarHeight(p, 107, c.sent), 8);
    EXPECT_EQ(p.Pixel(107, this->kMainBottom - 8), c.received);
    EXPECT_EQ(p.Pixel(107, this->kMainBottom - 89), c.received);
    EXPECT_EQ(p.Pixel(107, this->kMainBottom - 90), c.background);
    EXPECT_EQ(this->mainShows, 22);
    EXPECT_EQ(this->floatingShows, 22);
    // The floating window gets the unreduced steps: 900 → 90 → 9.
    EXPECT_EQ(this->BarHeight(*this->floatingPicture, 107, c.received), 9);
}

TYPED_TEST_P(GraphPictureTest, MainGraphLinesReachTheRightEdge) {
    const Canvas& p = *this->mainPicture;
    const DrawingColours& c = this->colours;
    this->AdvanceMainTo(20);
    const int column = this->graphs.MainGraphColumn();
    for (int y : {55, 80, 105}) {
        EXPECT_EQ(p.Pixel(column, y), kWhite) << "y = " << y;
        EXPECT_EQ(p.Pixel(369, y), kWhite) << "y = " << y;
    }
    EXPECT_EQ(p.Pixel(369, 30), c.time) << "the H - 100 line stays in the time colour";
    EXPECT_EQ(p.Pixel(369, 29), c.background);
    EXPECT_EQ(p.Pixel(369, 56), c.background);
}

TYPED_TEST_P(GraphPictureTest, MainGraphScrollsAtTheSeventyFirstTick) {
    const Canvas& p = *this->mainPicture;
    const Colour received = this->colours.received;
    for (int tick = 1; tick <= 70; ++tick) {
        this->MainTick(tick % 20 + 1, 0);
    }
    EXPECT_EQ(this->graphs.MainGraphColumn(), 69);
    EXPECT_EQ(this->BarHeight(p, 345, received), 70 % 20 + 1);
    this->MainTick(23, 0);
    EXPECT_EQ(this->graphs.MainGraphColumn(), 69);
    EXPECT_EQ(this->BarHeight(p, 347, received), 23);
    EXPECT_EQ(this->BarHeight(p, 342, received), 70 % 20 + 1);
    EXPECT_EQ(this->BarHeight(p, 2, received), 2 % 20 + 1) << "first column shifted out";
    EXPECT_EQ(this->floating.BarColumn(), 29);
}

TYPED_TEST_P(GraphPictureTest, MainBarsAreCutAtTheTopAndNegativeStepsVanish) {
    const Canvas& p = *this->mainPicture;
    const DrawingColours& c = this->colours;
    this->AdvanceMainTo(19);
    this->MainTick(200000, 50000);  // divisor 1024: bars of 195 and 48 pixels
    for (int y = 0; y < 130; ++y) {
        const Colour bar = y >= 130 - 48 ? c.sent : c.received;
        const Colour expected = (y == 55 || y == 80 || y == 105) ? kWhite : bar;
        ASSERT_EQ(p.Pixel(103, y), expected) << "y = " << y;
    }
    this->MainTick(-195000, -49900);
    EXPECT_FALSE(this->RegionHolds(p, {105, 0, 370, 130}, c.received));
    EXPECT_FALSE(this->RegionHolds(p, {105, 0, 370, 130}, c.sent));
}

TYPED_TEST_P(GraphPictureTest, IdleMainGraphClearsBarsAndTheNextSessionDrawsOn) {
    const Canvas& p = *this->mainPicture;
    const DrawingColours& c = this->colours;
    this->MainTick(50, 0);
    this->MainTick(20, 0);
    EXPECT_EQ(this->BarHeight(p, 7, c.received), 20);
    this->graphs.DrawIdleGraphs("0", "0");
    EXPECT_FALSE(this->RegionHolds(p, {0, 50, 370, 130}, c.received));
    EXPECT_EQ(p.Pixel(1, 55), kWhite);
    EXPECT_EQ(p.Pixel(0, 55), c.background) << "lines start at the column number";
    EXPECT_EQ(p.Pixel(200, 30), c.background) << "no time-coloured line when idle";
    EXPECT_EQ(this->graphs.MainGraphColumn(), 1);
    EXPECT_EQ(this->floatingShows, 3);

    this->MainTick(20, 0);
    EXPECT_EQ(this->graphs.MainGraphColumn(), 2);
    EXPECT_EQ(this->BarHeight(p, 12, c.received), 20);
}

REGISTER_TYPED_TEST_SUITE_P(
    GraphPictureTest, RectangleHasOutlineAndFillAndExcludesRightAndBottomEdges,
    IdlePictureShowsFourColouredLabelsAndNoBars, FloatingBarsFillThirtyColumnsThenScroll,
    FloatingBarsUseBothFactorTables, MainBarsScaleByTheLargerStepAndSentCoversReceived,
    MainGraphLinesReachTheRightEdge, MainGraphScrollsAtTheSeventyFirstTick,
    MainBarsAreCutAtTheTopAndNegativeStepsVanish, IdleMainGraphClearsBarsAndTheNextSessionDrawsOn);

}  // namespace orv::testing
