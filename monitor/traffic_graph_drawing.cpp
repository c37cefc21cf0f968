#include "monitor/traffic_graph_drawing.h"

#include <string>
#include <utility>

#include "monitor/traffic_scale.h"

namespace orv {
namespace {

constexpr int kBarWidth = 5;
constexpr int kRowHeight = 12;

}  // namespace

TrafficGraphDrawing::TrafficGraphDrawing(Canvas& picture, const DrawingColours& colours,
                                         std::function<void()> showPicture,
                                         FloatingDrawing& floating)
    : picture_(picture),
      colours_(colours),
      showPicture_(std::move(showPicture)),
      floating_(floating) {}

// The three lines at H - 50, H - 75 and H - 25; the one at H - 100 is drawn only before the
// texts and bars, so whatever they cover of it stays covered.
void TrafficGraphDrawing::DrawScaleLines(int fromX, Colour colour) {
    const int w = picture_.Width();
    const int h = picture_.Height();
    for (int y : {h - 50, h - 75, h - 25}) {
        picture_.HorizontalLine(fromX, w, y, colour);
    }
}

void TrafficGraphDrawing::DrawTrafficGraphs(const TrafficFigures& figures) {
    const DrawingColours c = colours_;
    const int w = picture_.Width();
    const int h = picture_.Height();

    idleDrawn_.reset();
    ++mainGraphColumn_;
    if (mainGraphColumn_ * kBarWidth == w - 20) {
        picture_.CopyRegion({0, 0, w, h}, -kBarWidth, 0);
        --mainGraphColumn_;
    }
    // The bars are bytes a second, as the tick measured them between its last two readings.
    const BarHeights steps{figures.receivedPerSecond, figures.sentPerSecond};
    const BarHeights bars = ScaleBars(steps, MainScale);
    const int left = mainGraphColumn_ * kBarWidth;

    picture_.FillRectangle({left + kBarWidth, 0, w, h}, c.background, c.background);
    picture_.HorizontalLine(mainGraphColumn_, w, h - 100, c.time);
    DrawScaleLines(mainGraphColumn_, c.time);
    picture_.Text(0, 0, "In   : " + std::to_string(figures.bytesReceived), c.received,
                  c.background);
    picture_.FillRectangle({left, h, left + kBarWidth, h - bars.received}, c.received, c.received);
    picture_.Text(0, kRowHeight, "Out : " + std::to_string(figures.bytesSent), c.sent,
                  c.background);
    picture_.FillRectangle({left, h, left + kBarWidth, h - bars.sent}, c.sent, c.sent);
    picture_.Text(0, 2 * kRowHeight, "Time : " + figures.durationText, c.time, c.background);
    picture_.Text(0, 3 * kRowHeight, "Speed : " + figures.averageSpeedText, c.time, c.background);
    DrawScaleLines(mainGraphColumn_, kWhite);
    showPicture_();

    floating_.DrawFloatingConnected({figures.bytesReceived, figures.bytesSent, figures.durationText,
                                     figures.averageSpeedText, figures.averageSpeedMBText,
                                     steps.received, steps.sent});
}

void TrafficGraphDrawing::DrawIdleGraphs(std::string_view durationField,
                                         std::string_view averageSpeedText) {
    // Without a connection the picture changes only with the texts or the colours (the column
    // stands still): a tick that would draw it again as it is draws nothing.
    const bool unchanged = idleDrawn_ && idleDrawn_->durationField == durationField &&
                           idleDrawn_->averageSpeedText == averageSpeedText &&
                           idleDrawn_->colours == colours_;
    if (!unchanged) {
        idleDrawn_ =
            IdleFigures{std::string(durationField), std::string(averageSpeedText), colours_};
        DrawIdlePicture(*idleDrawn_);
    }
    floating_.DrawFloatingIdle(durationField);
}

void TrafficGraphDrawing::DrawIdlePicture(const IdleFigures& figures) {
    const DrawingColours c = figures.colours;
    const int w = picture_.Width();
    const int h = picture_.Height();

    picture_.FillRectangle({0, 0, w, h}, c.background, c.background);
    picture_.Text(0, 0, "In   : 0", c.received, c.background);
    picture_.Text(0, kRowHeight, "Out : 0", c.sent, c.background);
    picture_.Text(0, 2 * kRowHeight, "Time : " + figures.durationField, c.time, c.background);
    picture_.Text(0, 3 * kRowHeight, "Speed : " + figures.averageSpeedText, c.time, c.background);
    DrawScaleLines(mainGraphColumn_, kWhite);
    showPicture_();
}

}  // namespace orv
