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
    actions.saveLaunchList = services.saveLaunchList;
    actions.shutDown = [&shutdown = services.shutdown, &boxes = services.boxes,
                        notice = services.shutdownNotice] {
        ShutDownComputer(shutdown, boxes, notice);
    };
    actions.dial = services.dial;
    actions.hangUp = services.hangUp;
    return actions;
}

}  // namespace orv
