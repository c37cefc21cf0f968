#pragma once
// The floating window's picture: four figures and a scrolling bar chart of the traffic,
// drawn once a tick into FloatingPicture and then copied to the window.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "monitor/canvas.h"
#include "monitor/drawing_colours.h"

namespace orv {

struct FloatingFigures {
    std::uint64_t bytesReceived = 0;
    std::uint64_t bytesSent = 0;
    std::string_view durationText;
    std::string_view averageSpeedText;
    std::string_view averageSpeedMBText;  // for a place too narrow for the KB/s figure
    // Counter differences since the previous connected drawing, not yet reduced.
    std::int32_t receivedDelta = 0;
    std::int32_t sentDelta = 0;
};

class FloatingDrawing {
  public:
    static constexpr int kWidth = 170;
    static constexpr int kHeight = 70;

    // `showPicture` copies the whole picture to the window's drawing area; it is not called for
    // a drawing that leaves the picture as it was.
    FloatingDrawing(Canvas& picture, const DrawingColours& colours,
                    std::function<void()> showPicture);

    // `durationText` is the zero duration as the connected picture would show it.
    void DrawFloatingIdle(std::string_view durationText = "0");
    void DrawFloatingConnected(const FloatingFigures& figures);

    // Starts at -1 and is never reset, so a new session continues where the last one stopped.
    int BarColumn() const { return barColumn_; }

  private:
    Canvas& picture_;
    const DrawingColours& colours_;
    std::function<void()> showPicture_;
    int barColumn_ = -1;
    // The colours of the idle picture the picture holds; empty once anything else is drawn.
    std::optional<DrawingColours> idleDrawnIn_;
    std::string idleDuration_;
};

}  // namespace orv
