#include "tests/common/raster_canvas.h"

#include <algorithm>
#include <utility>

namespace orv {
namespace {

Rect Normalised(Rect rect) {
    if (rect.left > rect.right) {
        std::swap(rect.left, rect.right);
    }
    if (rect.top > rect.bottom) {
        std::swap(rect.top, rect.bottom);
    }
    return rect;
}

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

RasterCanvas::RasterCanvas(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height), 0) {}

void RasterCanvas::Plot(int x, int y, Colour colour) {
    if (x >= 0 && x < width_ && y >= 0 && y < height_) {
        pixels_[static_cast<std::size_t>(y * width_ + x)] = colour;
    }
}

void RasterCanvas::Fill(Rect rect, Colour colour) {
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            Plot(x, y, colour);
        }
    }
}

void RasterCanvas::FillRectangle(Rect rect, Colour outline, Colour fill) {
    const Rect r = Normalised(rect);
    if (r.left == r.right || r.top == r.bottom) {
        return;
    }
    Fill(r, outline);
    Fill({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, fill);
}

void RasterCanvas::HorizontalLine(int fromX, int toX, int y, Colour colour) {
    Fill({fromX, y, toX, y + 1}, colour);
}

// Each glyph is a cell of the background with a block of the text colour in it (none for a
// space), so the colour of a text can be seen in the pixels too.
int RasterCanvas::Text(int x, int y, std::string_view text, Colour colour, Colour background) {
    texts_.push_back({x, y, std::string(text), colour, background});
    int cellX = x;
    for (char c : text) {
        if (IsContinuationByte(c)) {
            continue;
        }
        Fill({cellX, y, cellX + kGlyphWidth, y + kGlyphHeight}, background);
        if (c != ' ') {
            Fill({cellX + 1, y + 3, cellX + kGlyphWidth - 1, y + 10}, colour);
        }
        cellX += kGlyphWidth;
    }
    return cellX;
}

int RasterCanvas::TextWidth(std::string_view text) const {
    int width = 0;
    for (char c : text) {
        width += IsContinuationByte(c) ? 0 : kGlyphWidth;
    }
    return width;
}

void RasterCanvas::CopyRegion(Rect source, int toX, int toY) {
    const Rect s = Normalised(source);
    std::vector<Colour> copy;
    for (int y = s.top; y < s.bottom; ++y) {
        for (int x = s.left; x < s.right; ++x) {
            copy.push_back(Pixel(x, y));
        }
    }
    std::size_t i = 0;
    for (int y = 0; y < s.bottom - s.top; ++y) {
        for (int x = 0; x < s.right - s.left; ++x) {
            const Colour c = copy[i++];
            if (s.left + x >= 0 && s.left + x < width_ && s.top + y >= 0 && s.top + y < height_) {
                Plot(toX + x, toY + y, c);
            }
        }
    }
}

Colour RasterCanvas::Pixel(int x, int y) const {
    if (x < 0 || x >= width_ || y < 0 || y >= height_) {
        return 0;
    }
    return pixels_[static_cast<std::size_t>(y * width_ + x)];
}

}  // namespace orv
