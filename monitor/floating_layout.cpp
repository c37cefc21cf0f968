#include "monitor/floating_layout.h"

#include <algorithm>

namespace orv {
namespace {

constexpr std::string_view kIn = "In   : ";
constexpr std::string_view kOut = "Out : ";
constexpr std::string_view kTime = "Time : ";
constexpr std::string_view kSpeed = "Speed : ";

std::string Labelled(std::string_view label, std::string_view value) {
    return std::string(label) + std::string(value);
}

}  // namespace

std::string FittingByteCount(std::string_view label, std::uint64_t bytes, int room,
                             const std::function<int(std::string_view)>& measure) {
    std::string text = Labelled(label, std::to_string(bytes));
    // Up to EB: a 64-bit count is at most 16 EB, which still fits its place.
    constexpr std::string_view kUnits[] = {" KB", " MB", " GB", " TB", " PB", " EB"};
    std::uint64_t divisor = 1;
    for (std::string_view unit : kUnits) {
        if (measure(text) <= room) {
            break;
        }
        divisor *= 1024;
        // Rounded half up without the sum that could pass the 64-bit range.
        const std::uint64_t scaled = bytes / divisor + (bytes % divisor >= divisor / 2 ? 1 : 0);
        text = Labelled(label, std::to_string(scaled) + std::string(unit));
    }
    return text;
}

std::array<PlacedText, 4> LayFloatingFigures(const FloatingTexts& figures, int width,
                                             const std::function<int(std::string_view)>& measure) {
    const int left = kFloatingRightColumn - kFloatingColumnGap;
    std::string in = FittingByteCount(kIn, figures.bytesReceived, left, measure);
    const int outX = std::max(kFloatingRightColumn, measure(in) + kFloatingColumnGap);
    std::string out = FittingByteCount(kOut, figures.bytesSent, width - outX, measure);

    // The duration is never reworded: the speed moves right of it.
    std::string time = Labelled(kTime, figures.durationText);
    const int speedX = std::max(kFloatingRightColumn, measure(time) + kFloatingColumnGap);
    std::string speed = Labelled(kSpeed, figures.averageSpeedText);
    if (speedX + measure(speed) > width && !figures.averageSpeedMBText.empty()) {
        const std::string megabytes = std::string(figures.averageSpeedMBText) + " MB/s";
        speed = Labelled(kSpeed, megabytes);
        if (speedX + measure(speed) > width) {
            speed = megabytes;  // the unit tells what it is
        }
    }
    return {PlacedText{0, 0, std::move(in)}, PlacedText{outX, 0, std::move(out)},
            PlacedText{0, kFloatingSecondRow, std::move(time)},
            PlacedText{speedX, kFloatingSecondRow, std::move(speed)}};
}

}  // namespace orv
