#pragma once
// Turns a stored colour into the COLORREF that GDI draws with.

#include <windows.h>

#include <cstdint>

#include "monitor/drawing_colours.h"

namespace orv {

inline COLORREF ToColorRef(std::uint32_t colour) {
    return IsSystemColour(colour) ? GetSysColor(SystemColourIndex(colour))
                                  : static_cast<COLORREF>(colour & 0x00FFFFFFu);
}

}  // namespace orv
