#pragma once
// The divisors that turn per-tick byte steps into bar heights.

#include <cstdint>

namespace orv {

// Divisor of the main traffic graph for a byte count: 0..100 → 1, ..1024 → 10, ..10240 → 100,
// above → 1024. The count is taken as unsigned, so a negative one takes the last row.
std::int32_t MainScale(std::int32_t bytes);

// The floating window's second divisor, applied to already reduced values: 0..50 → 1,
// ..500 → 10, ..5000 → 100, above → 1024; negative values take the last row as well.
std::int32_t FloatingScale(std::int32_t reduced);

struct BarHeights {
    std::int32_t received = 0;
    std::int32_t sent = 0;
};

// Divides both steps by the divisor that `scale` picks for the larger of them (signed
// comparison), truncating toward zero.
BarHeights ScaleBars(BarHeights steps, std::int32_t (*scale)(std::int32_t));

}  // namespace orv
