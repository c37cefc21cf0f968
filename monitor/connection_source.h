#pragma once
// The one boundary between the program and the remote-access service, split by role: what the
// monitor tick reads, dialing, and the phonebook. Every call goes through these interfaces, so
// the logic runs against the real service on Windows, the emulated one under Wine, and plain
// fakes in host tests.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orv {

// A result of 0 means success; anything else is the service's error code.
using RasResult = std::uint32_t;
inline constexpr RasResult kRasSuccess = 0;

// Error codes the program itself relies on.
inline constexpr RasResult kRasInvalidHandle = 6;         // ERROR_INVALID_HANDLE
inline constexpr RasResult kRasInvalidParameter = 87;     // also: a text too long for its record
inline constexpr RasResult kRasInsufficientBuffer = 122;  // ERROR_INSUFFICIENT_BUFFER (texts)
inline constexpr RasResult kRasBufferTooSmall = 603;      // ERROR_BUFFER_TOO_SMALL (records)
inline constexpr RasResult kRasUserDisconnection = 619;   // ERROR_PORT_DISCONNECTED
inline constexpr RasResult kRasUserHungUp = 631;          // ERROR_USER_DISCONNECTION
inline constexpr RasResult kRasInvalidSize = 632;         // ERROR_INVALID_SIZE
inline constexpr RasResult kRasCannotFindPhonebookEntry = 623;
inline constexpr RasResult kRasLineBusy = 676;
inline constexpr RasResult kRasNoAnswer = 678;
inline constexpr RasResult kRasAuthenticationFailure = 691;

// Connection states (RASCONNSTATE): 0 opening the port ... 14 authenticated, then connected.
inline constexpr std::uint32_t kStateOpenPort = 0;
inline constexpr std::uint32_t kStateAuthenticated = 14;
inline constexpr std::uint32_t kStateConnected = 0x2000;
inline constexpr std::uint32_t kStateDisconnected = 0x2001;

// The service's connection handle (HRASCONN); 0 is "no connection".
using ConnectionHandle = std::uintptr_t;

// An owner window for the service's own dialogs (HWND on Windows).
using NativeWindow = void*;

// Buffer sizes of the error text, in characters including the terminating zero.
inline constexpr std::size_t kMonitorErrorTextChars = 257;
inline constexpr std::size_t kDialerErrorTextChars = 100;

// Room the program gives the service when it lists things. Entries and devices are listed
// whole: a longer phonebook gets the room the service asks for; devices are counted first.
inline constexpr std::size_t kMaxConnections = 100;
inline constexpr std::size_t kMaxEntries = 100;

struct ActiveConnection {
    ConnectionHandle handle = 0;
    std::string entryName;   // at most 256 characters
    std::string deviceType;  // at most 16 characters
    std::string deviceName;  // at most 128 characters
};

struct ConnectionStatistics {
    std::uint32_t bytesSent = 0;
    std::uint32_t bytesReceived = 0;
    std::uint32_t compressionIn = 0;
    std::uint32_t compressionOut = 0;
    std::uint32_t linkSpeedBps = 0;
    std::uint32_t durationMs = 0;
};

struct IpProjection {
    std::string clientIp;  // dotted quad, at most 15 characters
    std::string serverIp;
};

struct DialParams {
    std::string entryName;  // empty: dial phoneNumber directly
    std::string phoneNumber;
    std::string callbackNumber;
    std::string userName;
    std::string password;
    std::string domain;  // the Windows NT domain to log on to; empty: the server's own
};

struct DeviceInfo {
    std::string name;
    std::string type;
};

// One step of a dial in progress: a connection state, and the error that ended the dial (0
// while it goes on).
struct DialProgress {
    std::uint32_t state = 0;
    RasResult error = 0;
};

// Receives dial progress on the interface thread, in the order the service reported it.
using DialProgressHandler = std::function<void(const DialProgress&)>;

// The service's texts for its error codes; every role below needs them.
class ServiceErrorTexts {
  public:
    virtual ~ServiceErrorTexts() = default;
    // The service's text for an error code, read into a buffer of bufferChars characters.
    virtual RasResult GetErrorString(RasResult code, std::size_t bufferChars,
                                     std::string& text) = 0;
};

// What the monitor tick reads of the followed connection.
class ConnectionReader : public virtual ServiceErrorTexts {
  public:
    // Lists the active connections (room for kMaxConnections).
    virtual RasResult EnumConnections(std::vector<ActiveConnection>& connections) = 0;
    virtual RasResult GetConnectStatus(ConnectionHandle connection, std::uint32_t& state) = 0;
    virtual RasResult GetConnectionStatistics(ConnectionHandle connection,
                                              ConnectionStatistics& statistics) = 0;
    // The PPP IP projection of the connection.
    virtual RasResult GetProjectionInfo(ConnectionHandle connection, IpProjection& projection) = 0;
};

// Dialing and hanging up.
class DialService : public virtual ServiceErrorTexts {
  public:
    // Starts an asynchronous dial; on success `connection` holds the new handle and progress
    // reaches `progress` on the interface thread until the dial connects or fails.
    virtual RasResult Dial(const DialParams& params, DialProgressHandler progress,
                           ConnectionHandle& connection) = 0;
    // Fills the stored user name and password of params.entryName.
    virtual RasResult GetEntryDialParams(DialParams& params) = 0;
    virtual RasResult HangUp(ConnectionHandle connection) = 0;
};

// Phonebook entries and remote-access devices.
class PhonebookService : public virtual ServiceErrorTexts {
  public:
    virtual RasResult EnumEntries(std::vector<std::string>& entryNames) = 0;
    virtual RasResult EnumDevices(std::vector<DeviceInfo>& devices) = 0;
    virtual RasResult CreatePhonebookEntry(NativeWindow owner) = 0;
    virtual RasResult EditPhonebookEntry(NativeWindow owner, const std::string& entryName) = 0;
    virtual RasResult DeleteEntry(const std::string& entryName) = 0;
};

// One implementation may serve every role (the Windows service does).
class ConnectionSource : public ConnectionReader, public DialService, public PhonebookService {};

}  // namespace orv
