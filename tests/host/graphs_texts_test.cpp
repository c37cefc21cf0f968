// What the two traffic pictures write, and in which colours, read from the raster canvas's
// record of drawn texts.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/floating_drawing.h"
#include "monitor/floating_layout.h"
#include "monitor/traffic_graph_drawing.h"
#include "tests/common/raster_canvas.h"

namespace orv {
namespace {

using ::testing::ElementsAre;
using ::testing::FieldsAre;

class GraphTextsTest : public ::testing::Test {
  protected:
    DrawingColours colours{0x00010101, 0x00020202, 0x00030303, 0x00040404, 0x00050505};
    RasterCanvas floatingPicture{FloatingDrawing::kWidth, FloatingDrawing::kHeight};
    RasterCanvas mainPicture{TrafficGraphDrawing::kWidth, TrafficGraphDrawing::kHeight};
    FloatingDrawing floating{floatingPicture, colours, [] {}};
    TrafficGraphDrawing graphs{mainPicture, colours, [] {}, floating};
};

TEST_F(GraphTextsTest, IdlePicturesWriteZeroFiguresOnTheBackground) {
    graphs.DrawIdleGraphs("0", "0");
    const Colour bg = colours.background;
    EXPECT_THAT(floatingPicture.Texts(),
                ElementsAre(FieldsAre(0, 0, "In   : 0", colours.received, bg),
                            FieldsAre(85, 0, "Out : 0", colours.sent, bg),
                            FieldsAre(0, 12, "Time : 0", colours.time, bg),
                            FieldsAre(85, 12, "Speed : 0", colours.time, bg)));
    EXPECT_THAT(mainPicture.Texts(), ElementsAre(FieldsAre(0, 0, "In   : 0", colours.received, bg),
                                                 FieldsAre(0, 12, "Out : 0", colours.sent, bg),
                                                 FieldsAre(0, 24, "Time : 0", colours.time, bg),
                                                 FieldsAre(0, 36, "Speed : 0", colours.time, bg)));
}

TEST_F(GraphTextsTest, ConnectedPicturesWriteCountersDurationAndSpeed) {
    graphs.DrawTrafficGraphs({6'000'000'000u, 1234, "1:02:03", "12,50", "0,01"});
    const Colour bg = colours.background;
    // The full count would run into "Out": it is shown in the unit that fits.
    EXPECT_THAT(floatingPicture.Texts(),
                ElementsAre(FieldsAre(0, 0, "In   : 5722 MB", colours.received, bg),
                            FieldsAre(85, 0, "Out : 1234", colours.sent, bg),
                            FieldsAre(0, 12, "Time : 1:02:03", colours.time, bg),
                            FieldsAre(85, 12, "Speed : 12,50", colours.time, bg)));
    EXPECT_THAT(mainPicture.Texts(),
                ElementsAre(FieldsAre(0, 0, "In   : 6000000000", colours.received, bg),
                            FieldsAre(0, 12, "Out : 1234", colours.sent, bg),
                            FieldsAre(0, 24, "Time : 1:02:03", colours.time, bg),
                            FieldsAre(0, 36, "Speed : 12,50", colours.time, bg)));
}

TEST_F(GraphTextsTest, ALongDurationPushesTheFloatingSpeedRightInsteadOfUnderIt) {
    graphs.DrawTrafficGraphs({1, 2, "25:00:00", "0,50", "0"});
    const auto& texts = floatingPicture.Texts();
    ASSERT_EQ(texts.size(), 4u);
    const int timeEnd = texts[2].x + 6 * static_cast<int>(texts[2].text.size());
    EXPECT_GT(texts[3].x, timeEnd);
    EXPECT_EQ(texts[3].text, "Speed : 0,50");
}

// Every figure ends before the next begins and inside the picture, at the largest counters and
// at durations and speeds wider than their columns.
TEST(FloatingLayout, TheFourFiguresNeverOverlapNorLeaveThePicture) {
    RasterCanvas canvas{FloatingDrawing::kWidth, FloatingDrawing::kHeight};
    const auto measure = [&canvas](std::string_view text) { return canvas.TextWidth(text); };
    const FloatingTexts cases[] = {
        {4294967295u, 4294967295u, "100:00:00", "1,03E+03", "1,01"},
        {42940199u, 42000019u, "4:00:00", "12,50", "0,01"},
        {4294967295u, 0, "23:59:59", "999,00", "0,98"},
        {0, 4294967295u, "0:00:01", "0,00", "0"},
        {18'446'744'073'709'551'615u, 6'000'000'000u, "100:00:00", "1,03E+03", "1,01"},
    };
    for (const FloatingTexts& figures : cases) {
        const auto texts = LayFloatingFigures(figures, FloatingDrawing::kWidth, measure);
        for (std::size_t row = 0; row < 2; ++row) {
            const PlacedText& left = texts[2 * row];
            const PlacedText& right = texts[2 * row + 1];
            EXPECT_EQ(left.y, right.y);
            EXPECT_LT(left.x + measure(left.text), right.x) << left.text << " | " << right.text;
            EXPECT_LE(right.x + measure(right.text), FloatingDrawing::kWidth) << right.text;
        }
        EXPECT_EQ(texts[2].text, "Time : " + std::string(figures.durationText));
    }
    const auto widest = LayFloatingFigures(cases[0], FloatingDrawing::kWidth, measure);
    EXPECT_EQ(widest[0].text, "In   : 4096 MB");
    EXPECT_EQ(widest[1].text, "Out : 4096 MB");
    EXPECT_EQ(widest[3].text, "1,01 MB/s");
    EXPECT_EQ(LayFloatingFigures(cases[1], FloatingDrawing::kWidth, measure)[0].text,
              "In   : 41 MB");
}

TEST_F(GraphTextsTest, ColoursAreReadAtEveryDrawing) {
    graphs.DrawIdleGraphs("0", "0");
    colours.received = 0x00ABCDEF;
    colours.background = 0x00123456;
    floatingPicture.ClearTexts();
    graphs.DrawTrafficGraphs({10, 0, "0:00:01", "0,01", "0"});
    EXPECT_EQ(floatingPicture.Texts().front().colour, 0x00ABCDEFu);
    EXPECT_EQ(floatingPicture.Texts().front().background, 0x00123456u);
    EXPECT_EQ(floatingPicture.Pixel(169, 30), 0x00123456u);
    EXPECT_EQ(mainPicture.Pixel(369, 10), 0x00123456u);
}

// Without a connection every tick asks for the same pictures: they are drawn and shown once,
// and again only after new texts, new colours or a connected tick.
TEST_F(GraphTextsTest, AnIdlePictureIsDrawnAndShownAgainOnlyWhenItWouldChange) {
    int mainShows = 0;
    int floatingShows = 0;
    FloatingDrawing countedFloating{floatingPicture, colours, [&] { ++floatingShows; }};
    TrafficGraphDrawing counted{mainPicture, colours, [&] { ++mainShows; }, countedFloating};
    counted.DrawIdleGraphs("0", "0");
    floatingPicture.ClearTexts();
    mainPicture.ClearTexts();
    counted.DrawIdleGraphs("0", "0");
    EXPECT_TRUE(floatingPicture.Texts().empty());
    EXPECT_TRUE(mainPicture.Texts().empty());
    EXPECT_EQ(mainShows, 1);
    EXPECT_EQ(floatingShows, 1);

    counted.DrawIdleGraphs("0", "1,00");  // the main graph writes the speed, the floating not
    EXPECT_EQ(mainShows, 2);
    EXPECT_EQ(floatingShows, 1);
    colours.time = 0x00ABCDEF;
    counted.DrawIdleGraphs("0", "1,00");
    EXPECT_EQ(mainShows, 3);
    EXPECT_EQ(floatingShows, 2);
    counted.DrawTrafficGraphs({10, 0, "0:00:01", "0,01", "0"});
    counted.DrawIdleGraphs("0", "1,00");
    EXPECT_EQ(mainShows, 5);
    EXPECT_EQ(floatingShows, 4);
}

}  // namespace
}  // namespace orv
