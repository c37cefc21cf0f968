#pragma once
// The window-message protocol between the speech companion and the monitor: the message, the
// command codes, both programs' window identities and the companion's file. Both programs
// include it; it needs no platform header.

#include <cstdint>
#include <optional>
#include <string_view>

namespace orv {

// The code travels as the message's word parameter; the pop-up menu's page entries carry the
// same numbers, so a menu entry and a remote command cannot drift apart.
enum class RemoteCommand : std::uint32_t {
    Quit = 0,
    HideFloatingWindow = 1,
    ShowFloatingWindow = 2,
    ShowInformation = 3,
    ShowStatistics = 4,
    ShowAllStatistics = 5,
    ShowDialUp = 6,
    ShowEvents = 7,
    ShowOptions = 8,
    ShowScheduler = 9,
    ShowAbout = 10,
    CloseMainWindow = 11,
    SaveAndShutDown = 12,
    Dial = 13,
    HangUp = 14,
    NextControl = 15,
};

constexpr std::uint32_t CodeOf(RemoteCommand command) {
    return static_cast<std::uint32_t>(command);
}

// Nothing for codes above 15, which every sender may send and the monitor ignores.
constexpr std::optional<RemoteCommand> RemoteCommandOf(std::uint32_t code) {
    if (code > CodeOf(RemoteCommand::NextControl)) {
        return std::nullopt;
    }
    return static_cast<RemoteCommand>(code);
}

// Codes 3 to 10 open page code - 3 of the main window.
constexpr bool ShowsPage(RemoteCommand command) {
    return command >= RemoteCommand::ShowInformation && command <= RemoteCommand::ShowAbout;
}

// The platform's WM_USER, addressed to the monitor's floating window; the long parameter is 0.
inline constexpr std::uint32_t kRemoteCommandMessage = 0x0400;

// The monitor's floating window, found by class and caption together.
inline constexpr std::string_view kMonitorWindowClass = "TForm2";
inline constexpr std::string_view kMonitorWindowCaption = "ORVMainWindow";
// The companion's dialog, found by caption alone.
inline constexpr std::string_view kPluginCaption = "DialUp Talvex";
// Relative to the monitor's program folder (which ends with a separator).
inline constexpr std::string_view kPluginFile = "plugins\\talvex.exe";

// The companion's exit codes: 0 for an ordinary end (closed, its button, or no monitor window to
// serve); the others say which part of its set-up failed, for the monitor to show.
enum class PluginExit : std::uint32_t {
    Normal = 0,
    NoDialog = 1,           // its dialog could not be made
    NoRecognizer = 2,       // no speech service, recogniser or recognition context
    ActivationRefused = 3,  // the recogniser would not listen
    DictationRefused = 4,   // the dictation grammar could not be made, loaded or started
    NoAudioInput = 5,       // the recogniser would not listen, and no audio input was found
    AnotherRunning = 6,     // a companion already running did not end when asked
};

// One companion at a time: each holds this mutex (of the user's session) for its whole run.
inline constexpr std::string_view kPluginMutexName = "Local\\Quillon.Orvane.Talvex";
// While it runs the companion checks this often that the monitor's window is still there.
inline constexpr std::uint32_t kMonitorCheckMs = 3000;

}  // namespace orv
