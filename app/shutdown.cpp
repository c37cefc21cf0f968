#include "app/shutdown.h"

#include <string_view>

namespace orv {
namespace {

std::string_view PlatformName(std::uint32_t platformId) {
    switch (platformId) {
        case 0:
            return "Win32s";
        case 1:
            return "Windows 95";
        case 2:
            return "Windows NT";
        default:
            return "";
    }
}

}  // namespace

std::string FormatVersionText(const std::optional<PlatformVersion>& version) {
    if (!version) {
        return {};
    }
    std::string text(PlatformName(version->platformId));
    text += " Version " + std::to_string(version->major) + "." + std::to_string(version->minor);
    text += "\r\n (Build " + std::to_string(version->build) + ": " + version->servicePack + ")";
    return text;
}

std::string ShutdownNoticeText(int secondsLeft, bool russian) {
    const std::string seconds = std::to_string(secondsLeft);
    if (russian) {
        return "Компьютер будет выключен через " + seconds +
               " с. Несохранённая работа других программ будет потеряна.";
    }
    return "The computer shuts down in " + seconds +
           " s. Unsaved work in other programs will be lost.";
}

void ShutDownComputer(ShutdownPort& platform, MessageBoxes& boxes, ShutdownNotice* notice) {
    // A forced shut-down ends every program of the session: the user may still stop it.
    if (notice != nullptr && !notice->CountDown(kShutdownCountdownSeconds)) {
        return;
    }
    if (FormatVersionText(platform.QueryVersion()).starts_with("Windows NT")) {
        if (!platform.OpenOwnToken()) {
            boxes.ShowPlain("OpenProcessToken() Failed", "Exit Error");
            return;
        }
        if (!platform.LookupShutdownPrivilege()) {
            boxes.ShowPlain("LookupPrivilegeValue() Failed", "Exit Error");
            return;
        }
        if (!platform.EnableShutdownPrivilege()) {
            boxes.ShowPlain("AdjustTokenPrivileges() Failed", "Exit Error");
            return;
        }
    }
    platform.RequestShutdown(kShutdownFlags);
}

}  // namespace orv
