#pragma once
// Delivers the progress of an emulated dial to the caller's progress function.

#include "monitor/connection_source.h"
#include "monitor/ras_records_win32.h"

namespace orv::rasemu {

// From a thread of the service, as the real one does; returns at once.
void StartDialProgress(ConnectionHandle connection, ras::DialFunction notifier);
// Ends the progress of the dials of connection: once this has returned, their progress
// functions are not called any more (a call under way has finished). Called after a hang-up;
// a progress function may hang up its own dial.
void StopDialProgress(ConnectionHandle connection);
// Without a progress function the dial runs to its end in the caller; returns its error.
RasResult RunDialToEnd(ConnectionHandle connection);

}  // namespace orv::rasemu
