#include "remote/plugin_control.h"

#include "remote/remote_command.h"

namespace orv {

std::string PluginPath(std::string_view programFolder) {
    std::string path(programFolder);
    path += kPluginFile;
    return path;
}

void StartPlugin(std::string_view programFolder, PluginPlatform& platform,
                 const PluginControlView& view) {
    const std::string path = PluginPath(programFolder);
    if (!platform.FileExists(path)) {
        view.setStatusText(kPluginMissingText);
        view.switchOff();
        return;
    }
    if (!platform.OpenHidden(path)) {
        view.setStatusText(kPluginNotStartedText);
        view.switchOff();
        return;
    }
    view.setStatusText(kPluginLoadedText);
}

void StopPlugin(PluginPlatform& platform, const PluginControlView& view) {
    view.setStatusText(platform.PostCloseToPlugin() ? kPluginUnloadedText : kPluginNotFoundText);
}

void ClosePlugin(PluginPlatform& platform) {
    platform.PostCloseToPlugin();
}

}  // namespace orv
