#pragma once
// The fixed English texts of the remote-access connection states and which failed dials a new
// attempt can cure.

#include <cstdint>
#include <string_view>

#include "monitor/connection_source.h"

namespace orv {

// The text of a connection state; empty for a state outside the table.
std::string_view DialStateName(std::uint32_t state);

// False for a hang-up by the user (619, 631) and for errors that the same request gets again
// however often it is dialed (entry not found, a parameter or record the service refuses...).
bool RedialCures(RasResult error);

}  // namespace orv
