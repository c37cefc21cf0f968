#pragma once
// The real time the emulated service plays its scenario against: the wall clock in the DLL,
// which every process of the prefix shares, and a hand-set one in host tests.

#include "tools/rasemu/scenario.h"

namespace orv::rasemu {

class ServiceClock {
  public:
    virtual ~ServiceClock() = default;
    virtual Millis RealNowMs() const = 0;
};

}  // namespace orv::rasemu
