#pragma once
// A plain in-memory canvas. Text is drawn as boxes of a fixed glyph width, and every text is
// also recorded, so tests can check both what was written and where.

#include <string>
#include <vector>

#include "monitor/canvas.h"

namespace orv {

struct DrawnText {
    int x = 0;
    int y = 0;
    std::string text;
    Colour colour = 0;
    Colour background = 0;
};

class RasterCanvas final : public Canvas {
  public:
    static constexpr int kGlyphWidth = 6;
    static constexpr int kGlyphHeight = 13;

    RasterCanvas(int width, int height);

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void FillRectangle(Rect rect, Colour outline, Colour fill) override;
    void HorizontalLine(int fromX, int toX, int y, Colour colour) override;
    int Text(int x, int y, std::string_view text, Colour colour, Colour background) override;
    int TextWidth(std::string_view text) const override;
    void CopyRegion(Rect source, int toX, int toY) override;
    Colour Pixel(int x, int y) const override;

    const std::vector<DrawnText>& Texts() const { return texts_; }
    void ClearTexts() { texts_.clear(); }

  private:
    void Plot(int x, int y, Colour colour);
    void Fill(Rect rect, Colour colour);

    int width_;
    int height_;
    std::vector<Colour> pixels_;
    std::vector<DrawnText> texts_;
};

}  // namespace orv
