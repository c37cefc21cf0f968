#include "monitor/gdi_canvas_win32.h"

#include "base/dpi_scale.h"
#include "base/win32/wide_text.h"

#include <algorithm>
#include <string>
#include <utility>

namespace orv {
namespace {

// The face of the 8-point font of both traffic pictures.
constexpr wchar_t kFontFace[] = L"MS Sans Serif";
constexpr int kFontPoints = 8;

// The pictures are designed in 96-DPI pixels and enlarged whole by their windows, so their
// font is the design's size whatever the screen's DPI.
HFONT CreatePictureFont() {
    const int height = -MulDiv(kFontPoints, kDesignDpi, 72);
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, kFontFace);
}

}  // namespace

GdiCanvas::GdiCanvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    memory_.Reset(CreateCompatibleDC(nullptr));
    dc_ = memory_.Get();
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<const std::uint32_t*>(bits);
    SelectObject(dc_, bitmap_.Get());
    font_.Reset(CreatePictureFont());
    SelectObject(dc_, font_.Get());
    SetBkMode(dc_, OPAQUE);
}

GdiCanvas::~GdiCanvas() = default;

void GdiCanvas::FillRectangle(Rect rect, Colour outline, Colour fill) {
    if (rect.left > rect.right) {
        std::swap(rect.left, rect.right);
    }
    if (rect.top > rect.bottom) {
        std::swap(rect.top, rect.bottom);
    }
    if (rect.left == rect.right || rect.top == rect.bottom) {
        return;
    }
    const GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, outline));
    const GdiObject<HBRUSH> brush(CreateSolidBrush(fill));
    const SelectedObject penSelected(dc_, pen.Get());
    const SelectedObject brushSelected(dc_, brush.Get());
    ::Rectangle(dc_, rect.left, rect.top, rect.right, rect.bottom);
}

void GdiCanvas::HorizontalLine(int fromX, int toX, int y, Colour colour) {
    const GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
    const SelectedObject selected(dc_, pen.Get());
    MoveToEx(dc_, fromX, y, nullptr);
    LineTo(dc_, toX, y);
}

int GdiCanvas::Text(int x, int y, std::string_view text, Colour colour, Colour background) {
    const std::wstring wide = Widen(text);
    SetTextColor(dc_, colour);
    SetBkColor(dc_, background);
    TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
    SIZE size{};
    GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
    return x + size.cx;
}

int GdiCanvas::TextWidth(std::string_view text) const {
    const std::wstring wide = Widen(text);
    SIZE size{};
    GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

void GdiCanvas::CopyRegion(Rect source, int toX, int toY) {
    BitBlt(dc_, toX, toY, source.right - source.left, source.bottom - source.top, dc_, source.left,
           source.top, SRCCOPY);
}

Colour GdiCanvas::Pixel(int x, int y) const {
    if (bits_ == nullptr || x < 0 || x >= width_ || y < 0 || y >= height_) {
        return 0;
    }
    GdiFlush();
    const std::uint32_t bgrx = bits_[y * width_ + x];
    return ((bgrx >> 16) & 0xFF) | (bgrx & 0xFF00) | ((bgrx & 0xFF) << 16);
}

void GdiCanvas::CopyTo(HDC target, int x, int y) const {
    BitBlt(target, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
}

void GdiCanvas::StretchTo(HDC target, int width, int height) const {
    if (width == width_ && height == height_) {
        CopyTo(target, 0, 0);
        return;
    }
    // A whole factor repeats each pixel; any other blends neighbours, so that no column of the
    // bars is doubled while its neighbour is not.
    const bool whole = width % width_ == 0 && height % height_ == 0;
    const int previous = SetStretchBltMode(target, whole ? COLORONCOLOR : HALFTONE);
    SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, 0, 0, width, height, dc_, 0, 0, width_, height_, SRCCOPY);
    SetStretchBltMode(target, previous);
}

}  // namespace orv
