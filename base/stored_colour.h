#pragma once
// Colours as the settings store them: 0x00BBGGRR, or 0xFF0000nn for the platform's system
// colour nn (1 desktop background, 15 button face). Drawing needs them rendered to plain RGB.

#include <cstdint>


namespace orv {

// 0x00BBGGRR: red in the lowest byte, as the platform's COLORREF.
using Colour = std::uint32_t;

inline constexpr std::uint32_t kSystemColourFlag = 0xFF000000u;
inline constexpr std::uint32_t kDesktopColour = kSystemColourFlag | 1u;
inline constexpr std::uint32_t kButtonFaceColour = kSystemColourFlag | 15u;

inline constexpr bool IsSystemColour(std::uint32_t stored) {
    return (stored & 0xFF000000u) == kSystemColourFlag;
}

// The platform's current system colours.
class SystemColours {
  public:
    virtual ~SystemColours() = default;
    virtual Colour ColourOf(int index) const = 0;
};

inline Colour RenderColour(std::uint32_t stored, const SystemColours& system) {
    return IsSystemColour(stored) ? system.ColourOf(static_cast<int>(stored & 0xFFu))
                                  : (stored & 0x00FFFFFFu);
}

}  // namespace orv
