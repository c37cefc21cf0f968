#include "monitor/button_drag.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

constexpr ScreenPoint kThreshold{4, 4};

TEST(ButtonDrag, AWanderWithinTheThresholdStaysAClickAndAMoveFollowsThePointer) {
    ButtonDrag drag;
    EXPECT_FALSE(drag.MoveTo({50, 50}, kThreshold)) << "no drag before a press";

    drag.Begin({100, 100}, {900, 700});
    EXPECT_FALSE(drag.MoveTo({103, 97}, kThreshold));
    EXPECT_FALSE(drag.End()) << "an unmoved release is a click";

    drag.Begin({100, 100}, {900, 700});
    const auto moved = drag.MoveTo({90, 104}, kThreshold);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->x, 890);
    EXPECT_EQ(moved->y, 704);
    // Once moving, small steps follow too, also back to the grab point.
    const auto back = drag.MoveTo({100, 100}, kThreshold);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->x, 900);
    EXPECT_TRUE(drag.End());
    EXPECT_FALSE(drag.Active());

    drag.Begin({0, 0}, {0, 0});
    drag.MoveTo({-20, 0}, kThreshold);
    drag.Cancel();
    EXPECT_FALSE(drag.End()) << "a lost capture leaves no click and no move behind";
}

}  // namespace
}  // namespace orv
