#pragma once
// Shutting the computer down when the program closes (option "Выключить PC"), and the
// operating-system version text that decides whether the shut-down privilege is needed.

#include <cstdint>
#include <optional>
#include <string>

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
    virtual void RequestShutdown(std::uint32_t flags) = 0;
};

inline constexpr std::uint32_t kShutdownFlags = 1u | 4u;  // shut down, force

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

// With a notice, a Cancel during its countdown leaves the computer running.
void ShutDownComputer(ShutdownPort& platform, MessageBoxes& boxes,
                      ShutdownNotice* notice = nullptr);

}  // namespace orv
