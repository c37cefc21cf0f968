#pragma once
// A small drawing surface: the few operations the traffic pictures need. The program draws on
// a GDI bitmap; host tests draw on a plain raster that can be read back.

#include <string_view>

#include "monitor/drawing_colours.h"

namespace orv {

// Corners may come in any order; like GDI, the right and bottom edges are not covered.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class Canvas {
  public:
    virtual ~Canvas() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // A one-pixel outline in `outline` around an inside of `fill`. An empty rectangle draws
    // nothing; whatever lies outside the picture is cut off.
    virtual void FillRectangle(Rect rect, Colour outline, Colour fill) = 0;
    // Covers x = fromX up to, not including, toX.
    virtual void HorizontalLine(int fromX, int toX, int y, Colour colour) = 0;
    // UTF-8 text in the 8-point font, its top-left corner at (x, y), on an opaque background;
    // the x just right of the text.
    virtual int Text(int x, int y, std::string_view text, Colour colour, Colour background) = 0;
    // How wide Text would draw it.
    virtual int TextWidth(std::string_view text) const = 0;
    // Copies `source` of this picture onto itself with its top-left corner at (toX, toY); the
    // regions may overlap, and what lands outside the picture is lost.
    virtual void CopyRegion(Rect source, int toX, int toY) = 0;
    virtual Colour Pixel(int x, int y) const = 0;
};

}  // namespace orv
