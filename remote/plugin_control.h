#pragma once
// Starting and stopping the speech companion from the monitor. Whether it runs is decided each
// time by looking for its window; only the process of a start is kept for its first seconds,
// so that a companion whose set-up failed turns the switch off and says why.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

// What the shell's start of the companion gave.
struct PluginLaunch {
    std::uint32_t error = 0;  // 0 when a process started, else the system's error code
    std::string errorText;    // the system's text for `error`
};

class PluginPlatform {
  public:
    virtual ~PluginPlatform() = default;
    virtual bool FileExists(const std::string& path) const = 0;
    // The shell's "open" of the file with the window hidden. The process it started is kept
    // until ForgetStarted or the next start.
    virtual PluginLaunch OpenHidden(const std::string& path) = 0;
    // The exit code of the kept process once it has ended; nothing while it runs or when no
    // process is kept.
    virtual std::optional<std::uint32_t> StartedExitCode() = 0;
    virtual void ForgetStarted() = 0;
    // Posts a close request to the top-level window captioned "DialUp Talvex" and returns at
    // once; false when there is no such window.
    virtual bool PostCloseToPlugin() = 0;
};

// What the monitor shows of the outcome.
struct PluginControlView {
    std::function<void(std::string_view)> setStatusText;  // the status bar's only panel
    std::function<void()> switchOff;  // "Голос. управл." off, without its reaction
};

inline constexpr std::string_view kPluginMissingText =
    "Plug-in has not been loaded. No Plug-in was found";
inline constexpr std::string_view kPluginLoadedText = "Speech Plug-in is successfully loaded";
inline constexpr std::string_view kPluginUnloadedText = "Speech Plug-in is successfully unloaded";
inline constexpr std::string_view kPluginNotFoundText = "Can't Load/Unload Plug-in.";

// How many watch steps (one a second) a started companion is watched for a failed set-up.
inline constexpr int kPluginWatchSteps = 10;

// programFolder + "plugins\talvex.exe"; the folder ends with a separator.
std::string PluginPath(std::string_view programFolder);

// The status text of a start the shell refused.
std::string PluginLaunchFailureText(const PluginLaunch& launch);
// The status text of a companion that ended with `exitCode`; nothing for an ordinary end.
std::optional<std::string> PluginExitText(std::uint32_t exitCode);

class PluginControl {
  public:
    PluginControl(PluginPlatform& platform, PluginControlView view)
        : platform_(platform), view_(std::move(view)) {}

    // The reaction of switching speech control on.
    void StartPlugin(std::string_view programFolder);
    // The reaction of switching it off.
    void StopPlugin();
    // The close request of StopPlugin without a status text: the exit sequence's step.
    void ClosePlugin();
    // The timer's step, once a second: a companion that ended with a failure within its first
    // kPluginWatchSteps steps turns the switch off and says why.
    void WatchStep();

  private:
    void StopWatching();

    PluginPlatform& platform_;
    PluginControlView view_;
    int watchStepsLeft_ = 0;
};

}  // namespace orv
