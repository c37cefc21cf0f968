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
               " с. Программы, которые не отвечают, будут закрыты без сохранения.";
    }
    return "The computer shuts down in " + seconds +
           " s. Programs that do not respond will be closed without saving.";
}

std::string ShutdownRefusedText(std::string_view reason) {
    return "The computer was not shut down: " + std::string(reason);
}

bool ShutDownComputer(ShutdownPort& platform, MessageBoxes& boxes,
                      const std::function<void(std::string_view)>& reportRefusal,
                      ShutdownNotice* notice) {
    // The shut-down ends the user's whole session: the user may still stop it.
    if (notice != nullptr && !notice->CountDown(kShutdownCountdownSeconds)) {
        return false;
    }
    if (FormatVersionText(platform.QueryVersion()).starts_with("Windows NT")) {
        if (!platform.OpenOwnToken()) {
            boxes.ShowPlain("OpenProcessToken() Failed", "Exit Error");
            return false;
        }
        if (!platform.LookupShutdownPrivilege()) {
            boxes.ShowPlain("LookupPrivilegeValue() Failed", "Exit Error");
            return false;
        }
        if (!platform.EnableShutdownPrivilege()) {
            boxes.ShowPlain("AdjustTokenPrivileges() Failed", "Exit Error");
            return false;
        }
    }
    const Outcome requested = platform.RequestShutdown(kShutdownFlags);
    if (!requested.ok() && reportRefusal) {
        reportRefusal(ShutdownRefusedText(requested.error()));
    }
    return requested.ok();
}

}  // namespace orv
