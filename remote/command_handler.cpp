#include "remote/command_handler.h"

#include "remote/remote_command.h"

namespace orv {
namespace {

template <typename... Args>
void Run(const std::function<void(Args...)>& hook, Args... args) {
    if (hook) {
        hook(args...);
    }
}

}  // namespace

bool HandleRemoteCommand(std::uint32_t code, const RemoteCommandActions& actions) {
    const auto command = RemoteCommandOf(code);
    if (!command) {
        return false;
    }
    if (ShowsPage(*command)) {
        Run(actions.showPage, static_cast<int>(code));
        return true;
    }
    switch (*command) {
        case RemoteCommand::Quit:
            Run(actions.quit);
            break;
        case RemoteCommand::HideFloatingWindow:
            Run(actions.hideFloatingWindow);
            break;
        case RemoteCommand::ShowFloatingWindow:
            Run(actions.showFloatingWindow);
            break;
        case RemoteCommand::CloseMainWindow:
            Run(actions.closeMainWindow);
            break;
        case RemoteCommand::SaveAndShutDown:
            // Strictly in this order: nothing chosen in this run may be lost to the shut-down.
            Run(actions.saveSettings);
            Run(actions.saveLaunchList);
            Run(actions.shutDown);
            break;
        case RemoteCommand::Dial:
            Run(actions.dial);
            break;
        case RemoteCommand::HangUp:
            Run(actions.hangUp);
            break;
        case RemoteCommand::NextControl:
            Run(actions.nextControl);
            break;
        default:
            break;
    }
    return true;
}

}  // namespace orv
