#pragma once
// The program's one remote-access connection handle. The monitor tick follows it, the dialer
// sets it when it dials and clears it when it hangs up, and the minute check reads it; they all
// hold a reference to the same object.

#include "monitor/connection_source.h"

namespace orv {

struct CurrentConnection {
    ConnectionHandle handle = 0;  // 0 when no connection is known
};

}  // namespace orv
