#pragma once
// Shutting the computer down when the program closes (option "Выключить PC"), and the
// operating-system version text that decides whether the shut-down privilege is needed.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/outcome.h"

#include "app/settings_ports.h"

namespace orv {

struct PlatformVersion {
    std::uint32_t platformId = 0;
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::string servicePack;
};

// "Windows NT Version 5.1\r\n (Build 2600: Service Pack 2)"; empty without a version.
std::string FormatVersionText(const std::optional<PlatformVersion>& version);

// The platform steps of a shut-down.
class ShutdownPort {
  public:
    virtual ~ShutdownPort() = default;
    virtual std::optional<PlatformVersion> QueryVersion() = 0;
    // Opens the own process token with the rights to adjust privileges and to query.
    virtual bool OpenOwnToken() = 0;
    virtual bool LookupShutdownPrivilege() = 0;
    // Enables the privilege; false when the call fails or leaves a non-zero last error.
    virtual bool EnableShutdownPrivilege() = 0;
    // Fails with the system's reason when the system refuses the request.
    virtual Outcome RequestShutdown(std::uint32_t flags) = 0;
};

// Shut down, and force only the programs that do not answer (EWX_FORCEIFHUNG): every other
// program is asked to close and may save its work first.
inline constexpr std::uint32_t kShutdownFlags = 0x01u | 0x10u;

// The last word before the shut-down: a notice counting down with a Cancel button.
class ShutdownNotice {
  public:
    virtual ~ShutdownNotice() = default;
    // Counts `seconds` down; true when the count ran out (or the user chose to go on), false
    // when the user cancelled.
    virtual bool CountDown(int seconds) = 0;
};

inline constexpr int kShutdownCountdownSeconds = 10;

// The notice's text with this many seconds left, as designed (Russian) or in English.
std::string ShutdownNoticeText(int secondsLeft, bool russian);

// The three privilege steps report their failure in their boxes; a refused request goes to
// reportRefusal. True when the system took the request. With a notice, a Cancel during its
// countdown leaves the computer running (and gives false, with nothing reported).
bool ShutDownComputer(ShutdownPort& platform, MessageBoxes& boxes,
                      const std::function<void(std::string_view)>& reportRefusal,
                      ShutdownNotice* notice = nullptr);

// The text of a refused shut-down request, from the system's reason.
std::string ShutdownRefusedText(std::string_view reason);

}  // namespace orv
