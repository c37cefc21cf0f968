#pragma once
// Where the floating window's four figures go. Two rows of two columns in 170 pixels: a figure
// wider than its place is shown in a larger unit (named), and a neighbour that would still be
// covered moves right, so no figure ever runs into the next or off the picture.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace orv {

struct FloatingTexts {
    std::uint64_t bytesReceived = 0;
    std::uint64_t bytesSent = 0;
    std::string_view durationText;
    std::string_view averageSpeedText;     // KB/s as the tick formats it
    std::string_view averageSpeedMBText;  // the same speed in MB/s, formatted alike; may be empty
};

struct PlacedText {
    int x = 0;
    int y = 0;
    std::string text;
};

inline constexpr int kFloatingRightColumn = 85;
inline constexpr int kFloatingSecondRow = 12;
inline constexpr int kFloatingColumnGap = 1;  // the glyphs carry their own side bearings

// In, Out, Time and Speed, in that order, for a picture `width` pixels wide whose font
// measures a text as `measure` says.
std::array<PlacedText, 4> LayFloatingFigures(const FloatingTexts& figures, int width,
                                             const std::function<int(std::string_view)>& measure);

// A byte count in the first of bytes, KB, MB, GB, TB, PB and EB (of 1024) whose labelled text fits
// `room` pixels, rounded to a whole number; the largest unit when none fits.
std::string FittingByteCount(std::string_view label, std::uint64_t bytes, int room,
                             const std::function<int(std::string_view)>& measure);

}  // namespace orv
