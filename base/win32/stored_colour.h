#pragma once
// Stored colours rendered with the system's current colours.

#include <windows.h>

#include "base/stored_colour.h"

namespace orv {

class Win32SystemColours : public SystemColours {
  public:
    Colour ColourOf(int index) const override { return GetSysColor(index); }
};

inline COLORREF ToColorRef(std::uint32_t stored) {
    return RenderColour(stored, Win32SystemColours());
}

}  // namespace orv
