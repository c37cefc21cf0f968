#pragma once
// The lines of the tray information text. Every line ends with a single carriage return
// (code 13) and no line feed, which is how the tray balloon breaks lines.

#include <string>
#include <string_view>

#include "monitor/monitor_ports.h"

namespace orv {

inline constexpr std::string_view kTrayNoConnectionText = "No active Connections";

// The already formatted figures of one connected tick that the tray text shows.
struct TrayFigures {
    std::string bytesReceived;
    std::string bytesSent;
    std::string totalKilobytes;
    std::string linkSpeed;
    std::string duration;
    std::string receiveSpeed;
    std::string sendSpeed;
    std::string totalSpeed;
    std::string averageSpeed;
};

// Every text comes as designed (Russian) or, for an English interface, in English.

// The heading every tick starts with, followed by an empty line.
std::string TrayHeading(bool russian);

// The traffic lines, gated by the display options; the total and the two current speeds are
// always there, and empty lines separate the groups.
void AppendTrayFigures(std::string& text, const TrayFigures& figures, const DisplayFlags& flags,
                       bool russian);

// The address lines, gated by the display options.
void AppendTrayAddresses(std::string& text, std::string_view clientIp, std::string_view serverIp,
                         const DisplayFlags& flags, bool russian);

}  // namespace orv
