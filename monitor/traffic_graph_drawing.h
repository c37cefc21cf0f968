#pragma once
// The statistics page's traffic graph (MainGraphPicture, 370 x 130): one 5-pixel bar pair per
// connected tick (bytes a second), scrolling left once 70 columns are used, with the figures
// written over it. After its own picture it hands the same tick to the floating window's drawing.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "monitor/canvas.h"
#include "monitor/drawing_colours.h"
#include "monitor/floating_drawing.h"
#include "monitor/monitor_ports.h"

namespace orv {

class TrafficGraphDrawing final : public TrafficGraphs {
  public:
    static constexpr int kWidth = 370;
    static constexpr int kHeight = 130;

    // `showPicture` copies the whole picture to the page's drawing area; it is not called for
    // a drawing that leaves the picture as it was.
    TrafficGraphDrawing(Canvas& picture, const DrawingColours& colours,
                        std::function<void()> showPicture, FloatingDrawing& floating);

    void DrawTrafficGraphs(const TrafficFigures& figures) override;
    void DrawIdleGraphs(std::string_view durationField, std::string_view averageSpeedText) override;

    int MainGraphColumn() const { return mainGraphColumn_; }

  private:
    // What the idle picture the picture holds was drawn from.
    struct IdleFigures {
        std::string durationField;
        std::string averageSpeedText;
        DrawingColours colours;
    };

    void DrawScaleLines(int fromX, Colour colour);
    void DrawIdlePicture(const IdleFigures& figures);

    Canvas& picture_;
    const DrawingColours& colours_;
    std::function<void()> showPicture_;
    FloatingDrawing& floating_;
    std::int32_t mainGraphColumn_ = -1;
    // Empty once a connected tick has drawn over the idle picture.
    std::optional<IdleFigures> idleDrawn_;
};

}  // namespace orv
