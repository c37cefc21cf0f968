#include "monitor/floating_drawing.h"

#include <algorithm>
#include <string>
#include <utility>

#include "monitor/floating_layout.h"
#include "monitor/traffic_scale.h"

namespace orv {
namespace {

constexpr int kBarWidth = 5;
constexpr int kChartTop = 24;
constexpr int kRightColumn = kFloatingRightColumn;
constexpr int kSecondRow = kFloatingSecondRow;

}  // namespace

FloatingDrawing::FloatingDrawing(Canvas& picture, const DrawingColours& colours,
                                 std::function<void()> showPicture)
    : picture_(picture), colours_(colours), showPicture_(std::move(showPicture)) {}

void FloatingDrawing::DrawFloatingIdle(std::string_view durationText) {
    const DrawingColours c = colours_;
    // Without a connection every tick would draw the same picture: once is enough.
    if (idleDrawnIn_ == c && idleDuration_ == durationText) {
        return;
    }
    idleDrawnIn_ = c;
    idleDuration_ = std::string(durationText);
    const int w = picture_.Width();
    const int h = picture_.Height();
    picture_.FillRectangle({0, 0, w, h}, c.background, c.background);
    picture_.Text(0, 0, "In   : 0", c.received, c.background);
    picture_.Text(kRightColumn, 0, "Out : 0", c.sent, c.background);
    const int timeEnd =
        picture_.Text(0, kSecondRow, "Time : " + idleDuration_, c.time, c.background);
    picture_.Text(std::max(kRightColumn, timeEnd + kFloatingColumnGap), kSecondRow, "Speed : 0",
                  c.time, c.background);
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

    const auto texts = LayFloatingFigures(
        {figures.bytesReceived, figures.bytesSent, figures.durationText, figures.averageSpeedText,
         figures.averageSpeedMBText},
        w, [this](std::string_view text) { return picture_.TextWidth(text); });
    picture_.FillRectangle({left + kBarWidth, 0, w, h}, c.background, c.background);
    picture_.Text(texts[0].x, texts[0].y, texts[0].text, c.received, c.background);
    picture_.FillRectangle({left, h, left + kBarWidth, h - bars.received}, c.received, c.received);
    picture_.Text(texts[1].x, texts[1].y, texts[1].text, c.sent, c.background);
    picture_.FillRectangle({left, h, left + kBarWidth, h - bars.sent}, c.sent, c.sent);
    picture_.Text(texts[2].x, texts[2].y, texts[2].text, c.time, c.background);
    picture_.Text(texts[3].x, texts[3].y, texts[3].text, c.time, c.background);
    showPicture_();
}

}  // namespace orv
