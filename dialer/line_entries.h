#pragma once
// Whether the pop-up menu's "Подключить" (the dial page's "Dial") and "Отключить" (its
// "HangUp") can act: connect while no line is held and the dial page names something to dial,
// disconnect while a line or a dial is held or a redial waits.

#include "dialer/dialer_ports.h"
#include "monitor/current_connection.h"
#include "monitor/popup_menu.h"

namespace orv {

LineEntries LineEntryStates(const DialControls& controls, const CurrentConnection& current,
                            bool redialPending);

}  // namespace orv
