#pragma once
// The byte counters of a scripted connection after some time connected.

#include <cstdint>

#include "tools/rasemu/scenario.h"

namespace orv::rasemu {

struct ByteCounters {
    std::uint32_t received = 0;
    std::uint32_t sent = 0;
};

// The starting counters plus every rate over the part of its span already connected; the
// counters wrap at 32 bits, as the service's do.
ByteCounters CountersAfter(const SessionScript& session, Millis connectedMs);

}  // namespace orv::rasemu
