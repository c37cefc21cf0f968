#pragma once
// Delivers the progress of an emulated dial to the caller's progress function.

#include "monitor/connection_source.h"
#include "monitor/ras_records_win32.h"

namespace orv::rasemu {

// From a thread of the service, as the real one does; returns at once.
void StartDialProgress(ConnectionHandle connection, ras::DialFunction notifier);
// Without a progress function the dial runs to its end in the caller; returns its error.
RasResult RunDialToEnd(ConnectionHandle connection);

}  // namespace orv::rasemu
