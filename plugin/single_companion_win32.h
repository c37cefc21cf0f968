#pragma once
// One companion at a time: a companion still running (of a monitor that was killed, or one
// started by hand) is asked to close when another starts, so a second one never listens too.

#include "base/win32/resources.h"
#include "remote/remote_command.h"

namespace orv {

// True when this companion may run: `held` then owns the companions' mutex, taken once a
// running companion has ended (within a few seconds of its close request). False when the
// running one did not end. Without a mutex to be had (the system refused it) it runs all the
// same, with `held` empty.
bool ReplaceRunningCompanion(UniqueHandle& held);

}  // namespace orv
