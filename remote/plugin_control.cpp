#include "remote/plugin_control.h"

#include "remote/remote_command.h"

namespace orv {
namespace {

constexpr std::uint32_t kFileNotFound = 2;
constexpr std::uint32_t kPathNotFound = 3;
constexpr std::uint32_t kAccessDenied = 5;
constexpr std::uint32_t kBlockedByPolicy = 1260;       // software restriction policies
constexpr std::uint32_t kBlockedByAppControl = 4551;  // application control (WDAC, Smart App)

constexpr std::string_view kNotLoaded = "Plug-in has not been loaded. ";
constexpr std::string_view kStopped = "Speech Plug-in has stopped: ";

}  // namespace

std::string PluginPath(std::string_view programFolder) {
    std::string path(programFolder);
    path += kPluginFile;
    return path;
}

std::string PluginLaunchFailureText(const PluginLaunch& launch) {
    switch (launch.error) {
        case kFileNotFound:
        case kPathNotFound:
            return std::string(kPluginMissingText);
        case kAccessDenied:
            return std::string(kNotLoaded) + "Access to " + std::string(kPluginFile) +
                   " is denied";
        case kBlockedByPolicy:
        case kBlockedByAppControl:
            return std::string(kNotLoaded) + "The system's application control blocked " +
                   std::string(kPluginFile);
        default:
            return std::string(kNotLoaded) + launch.errorText;
    }
}

std::optional<std::string> PluginExitText(std::uint32_t exitCode) {
    std::string_view reason;
    switch (static_cast<PluginExit>(exitCode)) {
        case PluginExit::Normal:
            return std::nullopt;
        case PluginExit::NoDialog:
            reason = "its window could not be made";
            break;
        case PluginExit::NoRecognizer:
            reason = "no speech recogniser is installed";
            break;
        case PluginExit::ActivationRefused:
            reason = "the speech recogniser refused to listen";
            break;
        case PluginExit::DictationRefused:
            reason = "dictation could not be started";
            break;
        case PluginExit::NoAudioInput:
            reason = "the speech recogniser refused to listen, and no audio input was found";
            break;
        case PluginExit::AnotherRunning:
            reason = "another copy of it did not end";
            break;
        default:
            return std::string(kStopped) + "exit code " + std::to_string(exitCode);
    }
    return std::string(kStopped) + std::string(reason);
}

void PluginControl::StartPlugin(std::string_view programFolder) {
    StopWatching();
    const std::string path = PluginPath(programFolder);
    if (!platform_.FileExists(path)) {
        view_.setStatusText(kPluginMissingText);
        view_.switchOff();
        return;
    }
    const PluginLaunch launch = platform_.OpenHidden(path);
    if (launch.error != 0) {
        view_.setStatusText(PluginLaunchFailureText(launch));
        view_.switchOff();
        return;
    }
    view_.setStatusText(kPluginLoadedText);
    watchStepsLeft_ = kPluginWatchSteps;
}

// A companion asked to close ends normally; it is no longer watched.
void PluginControl::StopPlugin() {
    StopWatching();
    view_.setStatusText(platform_.PostCloseToPlugin() ? kPluginUnloadedText : kPluginNotFoundText);
}

void PluginControl::ClosePlugin() {
    StopWatching();
    platform_.PostCloseToPlugin();
}

void PluginControl::WatchStep() {
    if (watchStepsLeft_ == 0) {
        return;
    }
    if (const std::optional<std::uint32_t> code = platform_.StartedExitCode()) {
        StopWatching();
        if (const std::optional<std::string> text = PluginExitText(*code)) {
            view_.setStatusText(*text);
            view_.switchOff();
        }
        return;
    }
    if (--watchStepsLeft_ == 0) {
        StopWatching();
    }
}

void PluginControl::StopWatching() {
    watchStepsLeft_ = 0;
    platform_.ForgetStarted();
}

}  // namespace orv
