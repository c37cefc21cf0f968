#pragma once
// The logon name of the user who runs the monitor.

#include "stats/statistics_ports.h"

namespace orv {

class Win32LogonName final : public LogonName {
  public:
    std::string UserName() const override;
};

}  // namespace orv
