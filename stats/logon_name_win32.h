#pragma once
// The logon name of the user who runs the monitor, and the local clock.

#include "app/regional_formats.h"
#include "stats/statistics_ports.h"

namespace orv {

class Win32LogonName final : public LogonName {
  public:
    std::string UserName() const override;
};

class LocalClock final : public Clock {
  public:
    LocalDateTime Now() const override;
};

}  // namespace orv
