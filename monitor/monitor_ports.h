#pragma once
// What the monitor tick reads from and hands to the rest of the program. The main window, the
// graphs, the statistics file and the threshold events implement these; host tests use fakes.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/regional_formats.h"

namespace orv {

// One finished session, as the tick hands it to the statistics file (in this order).
struct ConnectionInfo {
    std::string name;
    std::string startsession;
    std::string endsession;
    std::string averagespeed;
    std::string serverip;
    std::string clientip;
    std::string connspeed;
    std::string received;
    std::string send;
    std::string duration;
};

// The main window's fields that the tick writes, and reads back at the end of a session.
enum class DisplayField {
    Name,            // page 0 "Название"
    LinkSpeed,       // page 0 "Скорость"
    Duration,        // page 0 "Длительность"
    DeviceType,      // page 0 "Тип устройства"
    DeviceName,      // page 0 "Описание устройства"
    ServerIp,        // page 0 "IP адрес сервера"
    ClientIp,        // page 0 "IP адрес клиента"
    BytesSent,       // page 1 "Байт" / "Отправлено"
    BytesReceived,   // page 1 "Байт" / "Принято"
    CompressionOut,  // page 1 "Сжатие" / "Отправлено"
    CompressionIn,   // page 1 "Сжатие" / "Принято"
};

// The display options of the settings page, which gate lines of the tray text; read live.
struct DisplayFlags {
    bool bytesRecv = false;
    bool bytesSend = false;
    bool connectSpeed = false;
    bool duration = false;
    bool curSpeed = false;
    bool averageSpeed = false;
    bool clientIp = false;
    bool serverIp = false;
};

class MonitorDisplay {
  public:
    virtual ~MonitorDisplay() = default;
    virtual void SetField(DisplayField field, std::string_view text) = 0;
    virtual std::string Field(DisplayField field) const = 0;
    // The text of the status bar's only panel.
    virtual void SetStatusText(std::string_view text) = 0;
    virtual std::string StatusText() const = 0;
    virtual void ShowStateIcon(bool connected) = 0;
    virtual DisplayFlags ReadDisplayFlags() const = 0;
};

// The figures one connected tick hands to the traffic graphs.
struct TrafficFigures {
    std::uint64_t bytesReceived = 0;  // the session's counts, past 4 GiB too
    std::uint64_t bytesSent = 0;
    std::string durationText;
    std::string averageSpeedText;
    std::string averageSpeedMBText;  // the same speed in MB/s, for a place too narrow
    // Bytes a second since the previous reading; 0 when there is none.
    std::int32_t receivedPerSecond = 0;
    std::int32_t sentPerSecond = 0;
};

class TrafficGraphs {
  public:
    virtual ~TrafficGraphs() = default;
    virtual void DrawTrafficGraphs(const TrafficFigures& figures) = 0;
    // durationField is the duration field's text as the tick left it.
    virtual void DrawIdleGraphs(std::string_view durationField,
                                std::string_view averageSpeedText) = 0;
};

// The session in progress as the record it would be stored as if it ended at `noted`, with
// what tells its line from another one at the next start.
struct RunningSession {
    ConnectionInfo record;
    std::string deviceType;
    std::string deviceName;
    LocalDateTime noted;
};

class SessionStore {
  public:
    virtual ~SessionStore() = default;
    virtual void AppendSession(const ConnectionInfo& session) = 0;
    // A session began at this tick; a store that keeps a note of the running one writes it now.
    virtual void SessionStarted() {}
};

class ConnectionNotices {
  public:
    virtual ~ConnectionNotices() = default;
    virtual void NotifyConnected() = 0;
    virtual void NotifyDisconnected() = 0;
};

}  // namespace orv
