#pragma once
// Screen density: every layout is designed in pixels of a 96-DPI screen and scaled to the DPI
// of the window that shows it.

namespace orv {

inline constexpr int kDesignDpi = 96;

// A rectangle in pixels: a design rectangle, or one scaled to a screen.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// `value` design pixels at `dpi`, rounded to the nearest pixel with halves away from zero, as
// the platform's MulDiv rounds; a DPI of 0 or less counts as the design's.
int ScaleToDpi(int value, int dpi);

// Scales the rectangle's edges rather than its size, so that rectangles that meet in the design
// still meet, and ones apart stay apart, at any DPI.
PixelRect ScaleToDpi(PixelRect design, int dpi);

// The whole factor a fixed pixel picture is enlarged by (the floating window's): the nearest
// whole multiple of the design DPI, halves up, at least 1 (1 up to 143 DPI, 2 from 144 to 239).
int WholeZoom(int dpi);

}  // namespace orv
