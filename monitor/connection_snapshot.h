#pragma once
// What one monitor tick reads from the followed connection, and what the tick keeps from one
// tick to the next. The minute check reads DurationMs, LinkSpeed, TotalBytes and InSession.

#include <cstdint>
#include <string>

namespace orv {

// The figures of the followed connection, kept until a later tick replaces them; the numbers
// keep their last values when the connection ends.
struct ConnectionSnapshot {
    std::string EntryName;
    std::string DeviceType;
    std::string DeviceName;
    std::uint32_t State = 0;
    // The session's bytes: the service's 32-bit counters with their wraps counted.
    std::uint64_t BytesSent = 0;
    std::uint64_t BytesReceived = 0;
    std::uint32_t CompressionIn = 0;
    std::uint32_t CompressionOut = 0;
    std::uint32_t LinkSpeed = 0;  // bit/s
    std::uint32_t DurationMs = 0;
    std::uint64_t TotalBytes = 0;  // BytesSent + BytesReceived
    std::string ClientIp;
    std::string ServerIp;
};

// The service's byte counters are 32-bit and pass 4 GiB in 35 s on a gigabit line. A reading
// below the last one of the same line has wrapped (one tick cannot move 4 GiB), so the step
// since `counted` is the difference of the low 32 bits.
constexpr std::uint64_t WidenCounter(std::uint64_t counted, std::uint32_t reading) {
    return counted + static_cast<std::uint32_t>(reading - static_cast<std::uint32_t>(counted));
}

struct MonitorState {
    bool InSession = false;  // a connected state was seen since the last end of session
    bool ConnectNoticePending = true;
    // The last tick found the followed line connected (not dialing, not dropped, not gone).
    bool LineConnected = false;
    std::string AverageSpeedText = "0";
    // The counters divided by 1024 at the last tick that read statistics.
    double PreviousReceivedKB = 0;
    double PreviousSentKB = 0;
    double PreviousTotalKB = 0;
    std::string TrayInfoText;  // lines ended by a single carriage return
};

}  // namespace orv
