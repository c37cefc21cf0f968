#pragma once
// The floating window as the settings page drives it.

namespace orv {

class FloatingWindowControl {
  public:
    virtual ~FloatingWindowControl() = default;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void SetStayOnTop(bool on) = 0;
    // 255 is fully opaque (per-window alpha off); lower values are translucent.
    virtual void SetAlpha(int alpha) = 0;
    // Repaints the frame after its colour changed.
    virtual void RedrawFrame() = 0;
};

}  // namespace orv
