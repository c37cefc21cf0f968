#pragma once
// The emulated remote-access service: plays a scenario against the real clock (sped up by the
// scenario's factor) and answers the service's calls with plain records. The DLL turns these
// into the platform's records; host tests drive it with a hand-set clock.

#include <cstddef>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "monitor/connection_source.h"
#include "tools/rasemu/scenario.h"
#include "tools/rasemu/service_clock.h"

namespace orv::rasemu {

class EmulatedService {
  public:
    EmulatedService(Scenario scenario, const ServiceClock& clock);

    // Scenario time now.
    Millis Now() const;

    // Everything that has changed since the scenario was loaded, as text; RestoreState puts it
    // back into a service freshly made from the same scenario (false: the text is not a state).
    // The processes that share a service pass it on this way.
    std::string SaveState() const;
    bool RestoreState(std::string_view text);

    // One line of the control file (see docs/scenarios.md); returns what is wrong with it, or
    // an empty text when it was applied.
    std::string ApplyControl(std::string_view line);

    RasResult EnumConnections(std::vector<ActiveConnection>& connections);
    // `error` is the status record's dwError: why a line that ended is disconnected.
    RasResult ConnectStatus(ConnectionHandle connection, std::uint32_t& state, DeviceInfo& device,
                            RasResult& error);
    RasResult Statistics(ConnectionHandle connection, ConnectionStatistics& statistics);
    // `error` is the projection record's dwError: the call succeeds while the projection failed.
    RasResult Projection(ConnectionHandle connection, IpProjection& projection, RasResult& error);
    RasResult ErrorText(RasResult code, std::string& text);

    // A handle some caller got (dialed or listed) whose line has ended, and that nobody has
    // hung up yet: the service keeps its resources until someone does.
    struct UnreleasedHandle {
        ConnectionHandle handle = 0;
        std::string entryName;
        RasResult error = 0;
        bool operator==(const UnreleasedHandle&) const = default;
    };
    std::vector<UnreleasedHandle> HandlesNotHungUp() const;

    // Starts a dial; its progress is then collected with TakeDialProgress.
    RasResult Dial(const DialParams& params, ConnectionHandle& connection);
    // The progress of the dial on connection that is due by now and was not taken before;
    // `finished` once the last step (connected, or an error) has been taken.
    std::vector<DialProgress> TakeDialProgress(ConnectionHandle connection, bool& finished);
    RasResult EntryDialParams(DialParams& params, bool& passwordStored);
    RasResult HangUp(ConnectionHandle connection);

    RasResult EnumEntries(std::vector<std::string>& entryNames);
    RasResult EnumDevices(std::vector<DeviceInfo>& devices);

    // What an entry dialog starts with when the user is asked: the entry's fields and the
    // devices to choose from.
    struct EntryForm {
        PhonebookEntry entry;
        std::vector<std::string> deviceNames;
    };
    // Plays the next "new entry" dialog: its scripted answer is applied; with none left the
    // dialog is cancelled, or, when unscripted dialogs ask the user, `ask` gets the form to show
    // and the user's answer comes back through SaveEntry.
    RasResult CreateEntry(std::optional<EntryForm>& ask);
    // The same for the "edit entry" dialog of entryName.
    RasResult EditEntry(const std::string& entryName, std::optional<EntryForm>& ask);
    // Dialogs whose unscripted turn is a cancel.
    RasResult CreateEntry();
    RasResult EditEntry(const std::string& entryName);
    // What the user saved in the emulator's own dialog: a new entry (oldName empty) or the
    // entry oldName changed. 183 (already exists) when the name belongs to another entry.
    RasResult SaveEntry(const std::string& oldName, const PhonebookEntry& entry);
    RasResult DeleteEntry(const std::string& entryName);

  private:
    struct DialStep {
        Millis dueMs = 0;
        DialProgress progress;
    };
    // A connection from its appearance until its handle is released: it is live until it ends
    // (drops, fails, or is hung up); an ended one keeps its handle until it is hung up, and a
    // hung-up one until its port is released.
    struct Connection {
        ConnectionHandle handle = 0;
        std::size_t script = 0;  // in scripts_
        std::string entryName;   // as listed: the entry, or "." and the typed number
        Millis appearMs = 0;
        Millis goneMs = kNever;           // the line drops then, unless it ended before
        RasResult dropError = 0;          // what that drop leaves in dwError
        std::vector<DialStep> dialSteps;  // empty unless it was dialed
        Millis endedMs = kNever;
        RasResult endError = 0;
        Millis hungUpMs = kNever;
        Millis releasedMs = kNever;
        bool handedOut = false;  // a caller got its handle
        bool Ended() const { return endedMs != kNever; }
        bool HungUp() const { return hungUpMs != kNever; }
        // Listed while live, and when hung up while live until its port is released.
        bool Listed() const { return !Ended() || hungUpMs == endedMs; }
    };
    struct DialRecord {
        ConnectionHandle handle = 0;
        std::vector<DialStep> steps;  // the last one ends the dial
        std::size_t taken = 0;
    };

    // Brings the timeline up to now: timed sessions appear, ended connections go.
    void Advance();
    void MaterializeTimedSessions(Millis now);
    std::optional<RasResult> FaultNow(ServiceCall call) const;
    Connection* Find(ConnectionHandle handle);
    const PhonebookEntry* FindEntry(const std::string& name) const;
    std::size_t ScriptFor(const std::string& entryName);
    const SessionScript& ScriptOf(const Connection& connection) const;
    Connection& AddConnection(std::size_t script, std::string entryName, Millis appearMs,
                              Millis goneMs);
    std::uint32_t StateAt(const Connection& connection, Millis now) const;
    std::optional<Millis> ConnectedAt(const Connection& connection) const;
    DeviceInfo DeviceOf(const Connection& connection) const;
    DeviceInfo DeviceOf(const SessionScript& script, const std::string& entryName) const;
    // The moment whose figures a connection shows: now while it is live, else its end.
    Millis FiguresAt(const Connection& connection) const;
    RasResult NextOutcome(const std::string& target);
    // The connection of an entry that is connected now, if any.
    Connection* ConnectedEntry(const std::string& entryName);
    PhonebookEntry* FindEntry(const std::string& name);
    std::optional<DialogAnswer> TakeAnswer(std::vector<DialogAnswer>& answers,
                                           const std::string& entryName);
    EntryForm FormFor(PhonebookEntry entry) const;
    // Ends the dial of handle at `at` with error, unless it ended before.
    void CutDial(ConnectionHandle handle, Millis at, std::uint32_t state, RasResult error);
    // The line ends at `at`: a dial under way fails with error, which dwError reports from then
    // on (a dial that failed before keeps its own error).
    void EndConnection(ConnectionHandle handle, Millis at, RasResult error);

    std::string StartCommand(const std::vector<std::string>& words);
    std::string DropCommand(const std::vector<std::string>& words);
    std::string FaultCommand(const std::vector<std::string>& words);
    std::string SpeedCommand(const std::vector<std::string>& words);
    std::string DialCommand(const std::vector<std::string>& words);

    Scenario scenario_;
    const ServiceClock& clock_;
    Millis realBaseMs_ = 0;
    Millis scenarioBaseMs_ = 0;

    std::deque<SessionScript> scripts_;      // the scenario's sessions and made-up ones; stable
    std::vector<long long> lastOccurrence_;  // per timed session, the last one that appeared
    std::vector<Connection> connections_;
    std::vector<DialRecord> dials_;
    std::map<std::string, std::size_t> dialAttempts_;
    ConnectionHandle nextHandle_ = 0x10000;
};

}  // namespace orv::rasemu
