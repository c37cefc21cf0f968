#pragma once
// The real time the emulated service plays its scenario against.

#include <chrono>

#include "tools/rasemu/scenario.h"

namespace orv::rasemu {

class ServiceClock {
  public:
    virtual ~ServiceClock() = default;
    virtual Millis RealNowMs() const = 0;
};

class SteadyServiceClock final : public ServiceClock {
  public:
    Millis RealNowMs() const override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

}  // namespace orv::rasemu
