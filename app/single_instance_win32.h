#pragma once
// One monitor at a time: the named mutex "Orvane", and what a second start does about the
// running monitor before it ends.

namespace orv {

// Creates the mutex (not owned) and waits on it for 0 ms. True for the first instance: the
// lock was acquired or abandoned by an instance that died, or could not be made at all. The
// lock is held for the rest of the process's life.
bool AcquireSingleInstanceLock();

// Asks the running monitor to show its main window in front with its first page, as the
// tray's "Information" entry does. Creates no window.
void BringRunningInstanceForward();

}  // namespace orv
