#pragma once
// What the emulated remote-access service plays: its phonebook, devices, the connections that
// come and go on a timeline, the dial outcomes and the faults. Read from a scenario file (the
// format is in docs/scenarios.md).

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "monitor/connection_source.h"

namespace orv::rasemu {

// Scenario time, in milliseconds since the scenario was loaded.
using Millis = std::int64_t;
inline constexpr Millis kNever = std::numeric_limits<Millis>::max();

struct Device {
    std::string name;
    std::string type;
};

struct PhonebookEntry {
    std::string name;
    std::string phoneNumber;
    std::string userName;
    std::string password;
    std::string deviceName;  // empty: the first device
    std::string domain;      // stored with the dial parameters
};

// Bytes per second moved in [fromMs, toMs) of the time connected.
struct TrafficRate {
    Millis fromMs = 0;
    Millis toMs = 0;
    double receivedPerSecond = 0;
    double sentPerSecond = 0;
};

// One connection as the service shows it: its states, figures and traffic.
struct SessionScript {
    std::string entryName;
    std::string deviceName;            // empty: the entry's device, else the first device
    std::optional<Millis> appearAtMs;  // none: it appears only when dialed or started
    Millis dropAfterMs = kNever;       // after it appeared
    RasResult dropError = 628;         // the dwError its drop leaves (ERROR_DISCONNECTION)
    std::vector<std::uint32_t> states{kStateConnected};  // the last one stays
    Millis stateStepMs = 1000;
    std::uint32_t linkSpeedBps = 0;
    std::uint32_t compressionIn = 0;
    std::uint32_t compressionOut = 0;
    std::string clientIp = "0.0.0.0";
    std::string serverIp = "0.0.0.0";
    RasResult projectionError = 0;    // the PPP projection failed with this (the call succeeds)
    std::uint32_t startReceived = 0;  // the counters when it connects
    std::uint32_t startSent = 0;
    std::vector<TrafficRate> rates;
};

// The calls a fault can be injected into.
enum class ServiceCall {
    EnumConnections,
    ConnectStatus,
    Statistics,
    Projection,
    ErrorText,
    Dial,
    DialParams,
    HangUp,
    EnumEntries,
    EnumDevices,
    CreateEntry,
    EditEntry,
    DeleteEntry,
};

// Calls fail with code while the scenario time is in [fromMs, toMs).
struct Fault {
    ServiceCall call = ServiceCall::EnumConnections;
    RasResult code = 0;
    Millis fromMs = 0;
    Millis toMs = kNever;
};

// The outcome of each dial of target (an entry name or phone number, "*" for any): 0 connects,
// anything else fails with that code. Attempts take the outcomes in turn; the last one stays.
struct DialScript {
    std::string target;
    std::vector<RasResult> outcomes;
};

// What the user does in one "new entry" or "edit entry" dialog: saves the fields given (the
// others keep their values), or cancels.
struct DialogAnswer {
    std::string target;  // edit: the entry whose dialog it answers, empty for any; create: empty
    bool cancelled = false;
    std::optional<std::string> name;
    std::optional<std::string> phoneNumber;
    std::optional<std::string> userName;
    std::optional<std::string> password;
    std::optional<std::string> deviceName;
};

// The fastest a scenario may play: a real second is then about eleven scenario days, and the
// scenario clock stays far from overflowing in any run.
inline constexpr double kMaxSpeed = 1e6;
// The most bytes per second a rate may move: a 32-bit counter's whole range.
inline constexpr double kMaxRate = 4294967295.0;

struct Scenario {
    double speed = 1;   // scenario seconds per real second, above 0 and at most kMaxSpeed
    Millis loopMs = 0;  // the timed sessions start again after this long; 0: they play once
    Millis dialStepMs = 200;
    // After a hang-up the port is released this much later; until then the handle answers and
    // a dial on the device fails with 633.
    Millis hangupDelayMs = 2000;
    std::vector<Device> devices;
    std::vector<PhonebookEntry> entries;
    std::vector<SessionScript> sessions;
    std::vector<DialScript> dials;
    std::vector<Fault> faults;
    std::vector<DialogAnswer> createAnswers;  // one per "new entry" dialog, in order
    std::vector<DialogAnswer> editAnswers;    // one per "edit entry" dialog of its target
    // A dialog with no scripted answer: true shows the emulator's own dialog, false cancels it.
    bool askUnscripted = true;
    // Texts of codes that the service's own table does not have, or that replace its text.
    std::vector<std::pair<RasResult, std::string>> errorTexts;
};

struct ScenarioParse {
    Scenario scenario;
    std::vector<std::string> errors;  // "line N: what is wrong"; the line is skipped
};

ScenarioParse ParseScenario(std::string_view text);

// Pieces shared with the control commands.
std::optional<Millis> ParseSeconds(std::string_view text);
std::optional<ServiceCall> ParseServiceCall(std::string_view word);
std::optional<double> ParseSpeed(std::string_view text);  // above 0, at most kMaxSpeed
// "connect" (0), "busy", "noanswer", "denied" or a number.
std::optional<RasResult> ParseDialOutcome(std::string_view word);
// An error code: a number above 0, or one of the dial outcome names but "connect".
std::optional<RasResult> ParseErrorCode(std::string_view word);
// A dial line's words after "dial": the target and its outcomes.
std::optional<DialScript> ParseDialScript(const std::vector<std::string>& words);
// The dialog lines, shared by the scenario and the control file: `create`, `edit`, `rename`,
// `cancel create|edit` and `dialogs ask|cancel`. Returns what is wrong, or an empty text when
// the line was applied; lines of other kinds give nothing.
std::optional<std::string> ParseDialogLine(const std::vector<std::string>& words,
                                           Scenario& scenario);

}  // namespace orv::rasemu
