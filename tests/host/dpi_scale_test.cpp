// Scaling the 96-DPI design to a screen: the rounding, rectangles by their edges, and the whole
// zoom factors of the floating window.
#include <gtest/gtest.h>

#include "base/dpi_scale.h"

namespace orv {
namespace {

TEST(DpiScale, RoundsHalvesAwayFromZeroLikeMulDiv) {
    EXPECT_EQ(ScaleToDpi(411, 96), 411);
    EXPECT_EQ(ScaleToDpi(411, 144), 617);  // 616.5
    EXPECT_EQ(ScaleToDpi(-411, 144), -617);
    EXPECT_EQ(ScaleToDpi(3, 120), 4);  // 3.75
    EXPECT_EQ(ScaleToDpi(5, 120), 6);  // 6.25
    EXPECT_EQ(ScaleToDpi(170, 192), 340);
    EXPECT_EQ(ScaleToDpi(170, 0), 170);  // no DPI known: the design's
}

TEST(DpiScale, RectanglesScaleByTheirEdges) {
    // Two 1-pixel cells at x 1 and 2, at 144 DPI: each size scaled alone would give 2 pixels
    // from x 2 and 3, overlapping by one.
    const PixelRect left = ScaleToDpi(PixelRect{1, 0, 1, 1}, 144);
    const PixelRect right = ScaleToDpi(PixelRect{2, 0, 1, 1}, 144);
    EXPECT_EQ(left.x, 2);
    EXPECT_EQ(left.width, 1);
    EXPECT_EQ(right.x, 3);
    EXPECT_EQ(right.width, 2);
}

TEST(DpiScale, WholeZoomIsTheNearestMultipleHalvesUp) {
    EXPECT_EQ(WholeZoom(96), 1);
    EXPECT_EQ(WholeZoom(120), 1);
    EXPECT_EQ(WholeZoom(143), 1);
    EXPECT_EQ(WholeZoom(144), 2);
    EXPECT_EQ(WholeZoom(192), 2);
    EXPECT_EQ(WholeZoom(288), 3);
    EXPECT_EQ(WholeZoom(48), 1);
    EXPECT_EQ(WholeZoom(0), 1);
}

}  // namespace
}  // namespace orv
