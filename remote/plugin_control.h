#pragma once
// Starting and stopping the speech companion from the monitor. Whether it runs is decided each
// time by looking for its window; the monitor keeps no handle or id of its process.

#include <functional>
#include <string>
#include <string_view>

namespace orv {

class PluginPlatform {
  public:
    virtual ~PluginPlatform() = default;
    virtual bool FileExists(const std::string& path) const = 0;
    // The shell's "open" of the file with the window hidden; false when the shell refused it.
    virtual bool OpenHidden(const std::string& path) = 0;
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
inline constexpr std::string_view kPluginNotStartedText =
    "Plug-in has not been loaded. The plug-in program could not be started";

// programFolder + "plugins\talvex.exe"; the folder ends with a separator.
std::string PluginPath(std::string_view programFolder);

// The reaction of switching speech control on.
void StartPlugin(std::string_view programFolder, PluginPlatform& platform,
                 const PluginControlView& view);
// The reaction of switching it off.
void StopPlugin(PluginPlatform& platform, const PluginControlView& view);
// The close request of StopPlugin without a status text: the exit sequence's step.
void ClosePlugin(PluginPlatform& platform);

}  // namespace orv
