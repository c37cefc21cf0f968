#include "monitor/floating_drawing.h"

#include <algorithm>
#include <string>
#include <utility>

#include "monitor/traffic_scale.h"

namespace orv {
namespace {

constexpr int kBarWidth = 5;
constexpr int kChartTop = 24;
constexpr int kRightColumn = 85;
constexpr int kColumnGap = 1;  // the glyphs carry their own side bearings
constexpr int kSecondRow = 12;

std::string Labelled(std::string_view label, std::string_view value) {
    return std::string(label) + std::string(value);
}

}  // namespace

FloatingDrawing::FloatingDrawing(Canvas& picture, const DrawingColours& colours,
                                 std::function<void()> showPicture)
    : picture_(picture), colours_(colours), showPicture_(std::move(showPicture)) {}

void FloatingDrawing::DrawFloatingIdle() {
    const DrawingColours c = colours_;
    // Without a connection every tick would draw the same picture: once is enough.
    if (idleDrawnIn_ == c) {
        return;
    }
    idleDrawnIn_ = c;
    const int w = picture_.Width();
    const int h = picture_.Height();
    picture_.FillRectangle({0, 0, w, h}, c.background, c.background);
    picture_.Text(0, 0, "In   : 0", c.received, c.background);
    picture_.Text(kRightColumn, 0, "Out : 0", c.sent, c.background);
    picture_.Text(0, kSecondRow, "Time : 0", c.time, c.background);
    picture_.Text(kRightColumn, kSecondRow, "Speed : 0", c.time, c.background);
    showPicture_();
}

void FloatingDrawing::DrawFloatingConnected(const FloatingFigures& figures) {
    const DrawingColours c = colours_;
    const int w = picture_.Width();
    const int h = picture_.Height();

    idleDrawnIn_.reset();
    ++barColumn_;
    if (kBarWidth * barColumn_ == w - 20) {
        picture_.CopyRegion({kBarWidth, kChartTop, w, h}, 0, kChartTop);
        --barColumn_;
    }
    const BarHeights reduced = ScaleBars({figures.receivedDelta, figures.sentDelta}, MainScale);
    const BarHeights bars = ScaleBars(reduced, FloatingScale);
    const int left = kBarWidth * barColumn_;

    picture_.FillRectangle({left + kBarWidth, 0, w, h}, c.background, c.background);
    picture_.Text(0, 0, Labelled("In   : ", std::to_string(figures.bytesReceived)), c.received,
                  c.background);
    picture_.FillRectangle({left, h, left + kBarWidth, h - bars.received}, c.received, c.received);
    picture_.Text(kRightColumn, 0, Labelled("Out : ", std::to_string(figures.bytesSent)), c.sent,
                  c.background);
    picture_.FillRectangle({left, h, left + kBarWidth, h - bars.sent}, c.sent, c.sent);
    // A duration of ten hours and more is wider than its column: the speed moves right rather
    // than covering its last digits.
    const int timeEnd = picture_.Text(0, kSecondRow, Labelled("Time : ", figures.durationText),
                                      c.time, c.background);
    picture_.Text(std::max(kRightColumn, timeEnd + kColumnGap), kSecondRow,
                  Labelled("Speed : ", figures.averageSpeedText), c.time, c.background);
    showPicture_();
}

}  // namespace orv
