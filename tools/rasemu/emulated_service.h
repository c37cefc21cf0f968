#pragma once
// The emulated remote-access service: plays a scenario against the real clock (sped up by the
// scenario's factor) and answers the service's calls with plain records. The DLL turns these
// into the platform's records; host tests drive it with a hand-set clock.

#include <cstddef>
#include <deque>
#include <map>
#include <optional>
#include <set>
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

    // One line of the control file (see docs/scenarios.md); returns what is wrong with it, or
    // an empty text when it was applied.
    std::string ApplyControl(std::string_view line);

    RasResult EnumConnections(std::vector<ActiveConnection>& connections);
    RasResult ConnectStatus(ConnectionHandle connection, std::uint32_t& state, DeviceInfo& device);
    RasResult Statistics(ConnectionHandle connection, ConnectionStatistics& statistics);
    RasResult Projection(ConnectionHandle connection, IpProjection& projection);
    RasResult ErrorText(RasResult code, std::string& text);

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
    struct Connection {
        ConnectionHandle handle = 0;
        const SessionScript* script = nullptr;
        std::string entryName;
        Millis appearMs = 0;
        Millis goneMs = kNever;
        std::vector<DialStep> dialSteps;  // empty unless it was dialed
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
    const SessionScript& ScriptFor(const std::string& entryName);
    Connection& AddConnection(const SessionScript& script, std::string entryName, Millis appearMs,
                              Millis goneMs);
    std::uint32_t StateAt(const Connection& connection, Millis now) const;
    std::optional<Millis> ConnectedAt(const Connection& connection) const;
    DeviceInfo DeviceOf(const Connection& connection) const;
    RasResult NextOutcome(const std::string& target);
    // The connection of an entry that is connected now, if any.
    Connection* ConnectedEntry(const std::string& entryName);
    PhonebookEntry* FindEntry(const std::string& name);
    std::optional<DialogAnswer> TakeAnswer(std::vector<DialogAnswer>& answers,
                                           const std::string& entryName);
    EntryForm FormFor(PhonebookEntry entry) const;
    // Ends the dial of handle at `at` with error, unless it ended before.
    void CutDial(ConnectionHandle handle, Millis at, std::uint32_t state, RasResult error);
    void RemoveConnection(ConnectionHandle handle, Millis at, RasResult dialError);

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
    std::set<ConnectionHandle> failedDials_;  // not listed, but still to be hung up
    std::map<std::string, std::size_t> dialAttempts_;
    ConnectionHandle nextHandle_ = 0x10000;
};

}  // namespace orv::rasemu
