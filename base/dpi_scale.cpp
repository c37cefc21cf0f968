#include "base/dpi_scale.h"

#include <cstdint>

namespace orv {
namespace {

int EffectiveDpi(int dpi) {
    return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

int ScaleToDpi(int value, int dpi) {
    const std::int64_t product = std::int64_t{value} * EffectiveDpi(dpi);
    const std::int64_t half = kDesignDpi / 2;
    const std::int64_t rounded =
        product >= 0 ? (product + half) / kDesignDpi : (product - half) / kDesignDpi;
    return static_cast<int>(rounded);
}

PixelRect ScaleToDpi(PixelRect design, int dpi) {
    const int left = ScaleToDpi(design.x, dpi);
    const int top = ScaleToDpi(design.y, dpi);
    return {left, top, ScaleToDpi(design.x + design.width, dpi) - left,
            ScaleToDpi(design.y + design.height, dpi) - top};
}

int WholeZoom(int dpi) {
    const int zoom = (EffectiveDpi(dpi) + kDesignDpi / 2) / kDesignDpi;
    return zoom < 1 ? 1 : zoom;
}

}  // namespace orv
