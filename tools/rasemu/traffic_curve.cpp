#include "tools/rasemu/traffic_curve.h"

#include <algorithm>
#include <cmath>

namespace orv::rasemu {
namespace {

constexpr double kCounterRange = 4294967296.0;

// Whole bytes, wrapped into a 32-bit counter that started at `start`.
std::uint32_t Wrapped(std::uint32_t start, double bytes) {
    const auto whole = static_cast<std::uint32_t>(std::fmod(std::floor(bytes), kCounterRange));
    return start + whole;
}

}  // namespace

ByteCounters CountersAfter(const SessionScript& session, Millis connectedMs) {
    double received = 0;
    double sent = 0;
    for (const TrafficRate& rate : session.rates) {
        const Millis covered = std::min(connectedMs, rate.toMs) - rate.fromMs;
        if (covered > 0) {
            received += rate.receivedPerSecond * static_cast<double>(covered) / 1000;
            sent += rate.sentPerSecond * static_cast<double>(covered) / 1000;
        }
    }
    return {Wrapped(session.startReceived, received), Wrapped(session.startSent, sent)};
}

}  // namespace orv::rasemu
