#pragma once
// The five colours the floating window and the graphs draw with. Each is a stored colour:
// 0x00BBGGRR, or 0xFF0000nn for system colour index nn (1 desktop, 15 button face).

#include <cstdint>

namespace orv {

inline constexpr std::uint32_t kSystemColourFlag = 0xFF000000u;
inline constexpr std::uint32_t kDesktopColour = kSystemColourFlag | 1u;
inline constexpr std::uint32_t kButtonFaceColour = kSystemColourFlag | 15u;

struct DrawingColours {
    std::uint32_t background = kDesktopColour;
    std::uint32_t received = 0x0000FF00u;
    std::uint32_t sent = 0x000000FFu;
    std::uint32_t time = 0x00FFFFFFu;
    std::uint32_t border = kButtonFaceColour;
};

// The program's one set of current colours: the colour swatches write it, the drawing reads it.
DrawingColours& SharedDrawingColours();

inline constexpr bool IsSystemColour(std::uint32_t colour) {
    return (colour & 0xFF000000u) == kSystemColourFlag;
}

inline constexpr int SystemColourIndex(std::uint32_t colour) {
    return static_cast<int>(colour & 0xFFu);
}

}  // namespace orv
