#pragma once
// The program's one remote-access connection handle. The monitor tick follows it, the dialer
// sets it when it dials and clears it when it hangs up, and the minute check reads it; they all
// hold a reference to the same object. Beside it, the handles the program has hung up whose
// ports the service may not have released yet.

#include <algorithm>
#include <vector>

#include "monitor/connection_source.h"

namespace orv {

struct CurrentConnection {
    ConnectionHandle handle = 0;  // 0 when no connection is known
    // The dial in progress: how it ends (and its handle's hang-up) is the dialer's to handle.
    ConnectionHandle dialing = 0;
    // Hung up, perhaps still listed: the tick no longer follows them, and a dial waits until
    // the service has let them go (a dial on a port still in use fails with 633).
    std::vector<ConnectionHandle> hungUp;

    void NoteHungUp(ConnectionHandle connection) {
        if (connection != 0 &&
            std::find(hungUp.begin(), hungUp.end(), connection) == hungUp.end()) {
            hungUp.push_back(connection);
        }
        if (handle == connection) {
            handle = 0;
        }
        if (dialing == connection) {
            dialing = 0;
        }
    }
    bool WasHungUp(ConnectionHandle connection) const {
        return std::find(hungUp.begin(), hungUp.end(), connection) != hungUp.end();
    }
};

}  // namespace orv
