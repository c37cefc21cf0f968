#include "app/monitor_commands_win32.h"

#include "app/monitor_settings.h"

namespace orv {

RemoteCommandActions MonitorCommandActions(const MonitorCommandServices& services) {
    RemoteCommandActions actions;
    actions.closeMainWindow = [&main = services.main] {
        SendMessageW(main.Handle(), WM_CLOSE, 0, 0);
    };
    actions.saveSettings = [&controls = services.controls, &store = services.store,
                            &boxes = services.boxes] { SaveSettings(controls, store, boxes); };
    actions.writeJournal = services.writeJournal;
    actions.saveLaunchList = services.saveLaunchList;
    actions.shutDown = [&shutdown = services.shutdown, &boxes = services.boxes,
                        notice = services.shutdownNotice, status = services.status,
                        taken = services.shutDownTaken] {
        const bool requested = ShutDownComputer(shutdown, boxes, status, notice);
        if (taken) {
            taken(requested);
        }
    };
    actions.dial = services.dial;
    actions.hangUp = services.hangUp;
    return actions;
}

}  // namespace orv
