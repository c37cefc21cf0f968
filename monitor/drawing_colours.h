#pragma once
// The five colours the floating window and the main traffic graph draw with. The settings page
// keeps them equal to its colour swatches; the drawing code reads them at every drawing, so a
// swatch change shows at the next tick.

#include <cstdint>

#include "base/stored_colour.h"

namespace orv {

inline constexpr Colour kWhite = 0x00FFFFFF;

// System colours of the stored settings (top byte 0xFF) are resolved to plain RGB by whoever
// fills this struct; the defaults here are the classic desktop and button-face shades.
struct DrawingColours {
    Colour background = 0x00A56E3A;
    Colour received = 0x0000FF00;
    Colour sent = 0x000000FF;
    Colour time = 0x00FFFFFF;
    Colour border = 0x00F0F0F0;

    friend bool operator==(const DrawingColours&, const DrawingColours&) = default;
};

}  // namespace orv
