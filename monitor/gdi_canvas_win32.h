#pragma once
// The drawing surface of the program's pictures: a 32-bit top-down DIB section selected into
// a memory DC, so the windows can copy it with BitBlt and tests can read its pixels.

#include <windows.h>

#include "base/win32/resources.h"
#include "monitor/canvas.h"

namespace orv {

class GdiCanvas final : public Canvas {
  public:
    GdiCanvas(int width, int height);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void FillRectangle(Rect rect, Colour outline, Colour fill) override;
    void HorizontalLine(int fromX, int toX, int y, Colour colour) override;
    int Text(int x, int y, std::string_view text, Colour colour, Colour background) override;
    int TextWidth(std::string_view text) const override;
    void CopyRegion(Rect source, int toX, int toY) override;
    Colour Pixel(int x, int y) const override;

    // Copies the whole picture to `target` with its top-left corner at (x, y).
    void CopyTo(HDC target, int x, int y) const;
    // Copies the whole picture to (0, 0)-(width, height) of `target`, enlarged as needed.
    void StretchTo(HDC target, int width, int height) const;

  private:
    int width_;
    int height_;
    // Both objects stay selected for the DC's life; the DC goes first (declared after them).
    GdiObject<HBITMAP> bitmap_;
    GdiObject<HFONT> font_;
    MemoryDc memory_;
    HDC dc_ = nullptr;
    const std::uint32_t* bits_ = nullptr;
};

}  // namespace orv
