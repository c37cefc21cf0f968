#include "monitor/traffic_scale.h"

#include <algorithm>

namespace orv {
namespace {

struct ScaleRow {
    std::uint32_t upTo;
    std::int32_t divisor;
};

template <std::size_t N>
std::int32_t LookUp(const ScaleRow (&rows)[N], std::int32_t value) {
    const auto unsignedValue = static_cast<std::uint32_t>(value);
    for (const ScaleRow& row : rows) {
        if (unsignedValue <= row.upTo) {
            return row.divisor;
        }
    }
    return 1024;
}

constexpr ScaleRow kMainRows[] = {{100, 1}, {1024, 10}, {10240, 100}};
constexpr ScaleRow kFloatingRows[] = {{50, 1}, {500, 10}, {5000, 100}};

}  // namespace

std::int32_t MainScale(std::int32_t bytes) {
    return LookUp(kMainRows, bytes);
}

std::int32_t FloatingScale(std::int32_t reduced) {
    return LookUp(kFloatingRows, reduced);
}

BarHeights ScaleBars(BarHeights steps, std::int32_t (*scale)(std::int32_t)) {
    const std::int32_t divisor = scale(std::max(steps.received, steps.sent));
    return {steps.received / divisor, steps.sent / divisor};
}

}  // namespace orv
