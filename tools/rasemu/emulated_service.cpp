#include "tools/rasemu/emulated_service.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "tools/rasemu/error_texts.h"
#include "tools/rasemu/line_tokens.h"
#include "tools/rasemu/traffic_curve.h"

namespace orv::rasemu {
namespace {

// Projection asked for before the link is up.
constexpr RasResult kProjectionNotComplete = 730;
// A dial cut short by the line going away (ERROR_DISCONNECTION).
constexpr RasResult kRemoteDisconnection = 628;
// ERROR_PORT_NOT_AVAILABLE: the device is still held by a line being hung up.
constexpr RasResult kPortNotAvailable = 633;

constexpr std::uint32_t kStateConnectDevice = 2;
constexpr std::uint32_t kStateAuthenticate = 5;
constexpr std::uint32_t kStateProjected = 18;
// The states a successful dial passes through before it is connected: the service reports the
// projection of the network protocols last.
constexpr std::uint32_t kDialStates[] = {0, 1, 2, 3, 4, 5, 6, 10, 14, kStateProjected};
// ERROR_ALREADY_EXISTS: a dialog saved a name another entry has.
constexpr RasResult kAlreadyExists = 183;
// The latest scenario time: some 30,000 years, so that any span added to it stays in range.
constexpr double kLatestMs = 1e15;

constexpr std::string_view kDefaultDeviceType = "modem";
constexpr std::string_view kStartedSessionName = "Emulated connection";

// The moment `span` after `at`; never when the span is endless.
Millis After(Millis at, Millis span) {
    return span == kNever ? kNever : at + span;
}

}  // namespace

EmulatedService::EmulatedService(Scenario scenario, const ServiceClock& clock)
    : scenario_(std::move(scenario)),
      clock_(clock),
      realBaseMs_(clock.RealNowMs()),
      scripts_(scenario_.sessions.begin(), scenario_.sessions.end()),
      lastOccurrence_(scripts_.size(), -1) {}

Millis EmulatedService::Now() const {
    const double elapsed = static_cast<double>(clock_.RealNowMs() - realBaseMs_);
    const double played = static_cast<double>(scenarioBaseMs_) + elapsed * scenario_.speed;
    return std::llround(std::clamp(played, 0.0, kLatestMs));
}

// --- The timeline ---

void EmulatedService::Advance() {
    const Millis now = Now();
    MaterializeTimedSessions(now);
    std::vector<const Connection*> ended;
    for (const Connection& connection : connections_) {
        if (!connection.Ended() && connection.goneMs <= now) {
            ended.push_back(&connection);
        }
    }
    for (const Connection* connection : ended) {
        EndConnection(connection->handle, connection->goneMs, connection->dropError);
    }
    // A released port takes its handle with it.
    std::erase_if(connections_, [&](const Connection& c) { return c.releasedMs <= now; });
}

void EmulatedService::MaterializeTimedSessions(Millis now) {
    for (std::size_t index = 0; index < scenario_.sessions.size(); ++index) {
        const SessionScript& script = scripts_[index];
        if (!script.appearAtMs || now < *script.appearAtMs) {
            continue;
        }
        const Millis loop = scenario_.loopMs;
        const long long occurrence = loop > 0 ? (now - *script.appearAtMs) / loop : 0;
        if (occurrence <= lastOccurrence_[index]) {
            continue;
        }
        lastOccurrence_[index] = occurrence;
        const Millis appear = *script.appearAtMs + occurrence * loop;
        // A looping session ends at the latest when its next round begins.
        const Millis lasts = loop > 0 ? std::min(script.dropAfterMs, loop) : script.dropAfterMs;
        if (now < After(appear, lasts)) {
            AddConnection(index, script.entryName, appear, After(appear, lasts));
        }
    }
}

EmulatedService::Connection& EmulatedService::AddConnection(std::size_t script,
                                                            std::string entryName, Millis appearMs,
                                                            Millis goneMs) {
    Connection connection;
    connection.handle = nextHandle_++;
    connection.script = script;
    connection.dropError = scripts_[script].dropError;
    connection.entryName = std::move(entryName);
    connection.appearMs = appearMs;
    connection.goneMs = goneMs;
    connections_.push_back(std::move(connection));
    return connections_.back();
}

void EmulatedService::EndConnection(ConnectionHandle handle, Millis at, RasResult error) {
    Connection* connection = Find(handle);
    if (connection == nullptr || connection->Ended()) {
        return;
    }
    CutDial(handle, at, StateAt(*connection, at), error);
    connection->endedMs = at;
    connection->endError = error;
    const bool dialed = !connection->dialSteps.empty();
    if (dialed && connection->dialSteps.back().dueMs <= at) {
        // The dial's own outcome: its error, or 0 for a dial that had connected.
        const RasResult dialError = connection->dialSteps.back().progress.error;
        connection->endError = dialError != kRasSuccess ? dialError : error;
    }
}

void EmulatedService::CutDial(ConnectionHandle handle, Millis at, std::uint32_t state,
                              RasResult error) {
    for (DialRecord& dial : dials_) {
        if (dial.handle != handle || dial.steps.back().dueMs <= at) {
            continue;
        }
        std::erase_if(dial.steps, [&](const DialStep& step) { return step.dueMs > at; });
        dial.steps.push_back({at, {state, error}});
        if (Connection* connection = Find(handle)) {
            connection->dialSteps = dial.steps;
        }
    }
}

EmulatedService::Connection* EmulatedService::Find(ConnectionHandle handle) {
    for (Connection& connection : connections_) {
        if (connection.handle == handle) {
            return &connection;
        }
    }
    return nullptr;
}

std::uint32_t EmulatedService::StateAt(const Connection& connection, Millis now) const {
    if (!connection.dialSteps.empty()) {
        std::uint32_t state = connection.dialSteps.front().progress.state;
        for (const DialStep& step : connection.dialSteps) {
            if (step.dueMs <= now) {
                state = step.progress.state;
            }
        }
        return state;
    }
    const SessionScript& script = ScriptOf(connection);
    const std::vector<std::uint32_t>& states = script.states;
    const auto index = static_cast<std::size_t>((now - connection.appearMs) / script.stateStepMs);
    return states[std::min(index, states.size() - 1)];
}

std::optional<Millis> EmulatedService::ConnectedAt(const Connection& connection) const {
    if (!connection.dialSteps.empty()) {
        const DialStep& last = connection.dialSteps.back();
        if (last.progress.state == kStateConnected && last.progress.error == 0) {
            return last.dueMs;
        }
        return std::nullopt;
    }
    const SessionScript& script = ScriptOf(connection);
    const std::vector<std::uint32_t>& states = script.states;
    const auto connected = std::find(states.begin(), states.end(), kStateConnected);
    if (connected == states.end()) {
        return std::nullopt;
    }
    return connection.appearMs + (connected - states.begin()) * script.stateStepMs;
}

std::optional<RasResult> EmulatedService::FaultNow(ServiceCall call) const {
    const Millis now = Now();
    for (const Fault& fault : scenario_.faults) {
        if (fault.call == call && fault.fromMs <= now && now < fault.toMs) {
            return fault.code;
        }
    }
    return std::nullopt;
}

const PhonebookEntry* EmulatedService::FindEntry(const std::string& name) const {
    for (const PhonebookEntry& entry : scenario_.entries) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

PhonebookEntry* EmulatedService::FindEntry(const std::string& name) {
    return const_cast<PhonebookEntry*>(std::as_const(*this).FindEntry(name));
}

std::size_t EmulatedService::ScriptFor(const std::string& entryName) {
    for (std::size_t index = 0; index < scripts_.size(); ++index) {
        if (scripts_[index].entryName == entryName) {
            return index;
        }
    }
    // Nothing scripted for it: a connection that comes up at once and stays quiet.
    SessionScript plain;
    plain.entryName = entryName;
    scripts_.push_back(std::move(plain));
    return scripts_.size() - 1;
}

const SessionScript& EmulatedService::ScriptOf(const Connection& connection) const {
    return scripts_[connection.script];
}

Millis EmulatedService::FiguresAt(const Connection& connection) const {
    return std::min(Now(), connection.endedMs);
}

DeviceInfo EmulatedService::DeviceOf(const Connection& connection) const {
    return DeviceOf(ScriptOf(connection), connection.entryName);
}

DeviceInfo EmulatedService::DeviceOf(const SessionScript& script,
                                     const std::string& entryName) const {
    std::string name = script.deviceName;
    if (name.empty()) {
        if (const PhonebookEntry* entry = FindEntry(entryName)) {
            name = entry->deviceName;
        }
    }
    if (name.empty() && !scenario_.devices.empty()) {
        return {scenario_.devices.front().name, scenario_.devices.front().type};
    }
    for (const Device& device : scenario_.devices) {
        if (device.name == name) {
            return {device.name, device.type};
        }
    }
    return {name, std::string(kDefaultDeviceType)};
}

// --- Monitoring ---

RasResult EmulatedService::EnumConnections(std::vector<ActiveConnection>& connections) {
    Advance();
    if (const auto fault = FaultNow(ServiceCall::EnumConnections)) {
        return *fault;
    }
    connections.clear();
    for (Connection& connection : connections_) {
        if (!connection.Listed()) {
            continue;
        }
        connection.handedOut = true;
        const DeviceInfo device = DeviceOf(connection);
        connections.push_back({connection.handle, connection.entryName, device.type, device.name});
    }
    return kRasSuccess;
}

RasResult EmulatedService::ConnectStatus(ConnectionHandle handle, std::uint32_t& state,
                                         DeviceInfo& device, RasResult& error) {
    Advance();
    if (const auto fault = FaultNow(ServiceCall::ConnectStatus)) {
        return *fault;
    }
    const Connection* connection = Find(handle);
    if (connection == nullptr) {
        return kRasInvalidHandle;
    }
    // An ended line answers as disconnected, with its reason, until its handle is released.
    state = connection->Ended() ? kStateDisconnected : StateAt(*connection, Now());
    error = connection->Ended() ? connection->endError : kRasSuccess;
    device = DeviceOf(*connection);
    return kRasSuccess;
}

std::vector<EmulatedService::UnreleasedHandle> EmulatedService::HandlesNotHungUp() const {
    std::vector<UnreleasedHandle> handles;
    for (const Connection& connection : connections_) {
        if (connection.handedOut && connection.Ended() && !connection.HungUp()) {
            handles.push_back({connection.handle, connection.entryName, connection.endError});
        }
    }
    return handles;
}

RasResult EmulatedService::Statistics(ConnectionHandle handle, ConnectionStatistics& statistics) {
    Advance();
    if (const auto fault = FaultNow(ServiceCall::Statistics)) {
        return *fault;
    }
    const Connection* connection = Find(handle);
    if (connection == nullptr) {
        return kRasInvalidHandle;
    }
    statistics = {};
    const auto connectedAt = ConnectedAt(*connection);
    const Millis now = FiguresAt(*connection);
    if (!connectedAt || now < *connectedAt) {
        return kRasSuccess;
    }
    const SessionScript& script = ScriptOf(*connection);
    const Millis connectedMs = now - *connectedAt;
    const ByteCounters counters = CountersAfter(script, connectedMs);
    statistics.bytesReceived = counters.received;
    statistics.bytesSent = counters.sent;
    statistics.compressionIn = script.compressionIn;
    statistics.compressionOut = script.compressionOut;
    statistics.linkSpeedBps = script.linkSpeedBps;
    statistics.durationMs = static_cast<std::uint32_t>(connectedMs);
    return kRasSuccess;
}

RasResult EmulatedService::Projection(ConnectionHandle handle, IpProjection& projection,
                                      RasResult& error) {
    Advance();
    if (const auto fault = FaultNow(ServiceCall::Projection)) {
        return *fault;
    }
    const Connection* connection = Find(handle);
    if (connection == nullptr) {
        return kRasInvalidHandle;
    }
    // A line that ended keeps what it had when it ended.
    if (StateAt(*connection, FiguresAt(*connection)) != kStateConnected) {
        return kProjectionNotComplete;
    }
    const SessionScript& script = ScriptOf(*connection);
    error = script.projectionError;
    projection =
        error == kRasSuccess ? IpProjection{script.clientIp, script.serverIp} : IpProjection{};
    return kRasSuccess;
}

RasResult EmulatedService::ErrorText(RasResult code, std::string& text) {
    if (const auto fault = FaultNow(ServiceCall::ErrorText)) {
        return *fault;
    }
    for (const auto& [scripted, scriptedText] : scenario_.errorTexts) {
        if (scripted == code) {
            text = scriptedText;
            return kRasSuccess;
        }
    }
    // Win32 codes and HRESULTs are not the service's: it has no text for them.
    if (!IsRemoteAccessError(code)) {
        return kRasInvalidParameter;
    }
    text = rasemu::ErrorText(code);
    return kRasSuccess;
}

// --- Dialing ---

RasResult EmulatedService::NextOutcome(const std::string& target) {
    auto scriptFor = [&](std::string_view wanted) {
        const auto found =
            std::find_if(scenario_.dials.begin(), scenario_.dials.end(),
                         [&](const DialScript& dial) { return dial.target == wanted; });
        return found == scenario_.dials.end() ? nullptr : &*found;
    };
    const DialScript* chosen = scriptFor(target);
    if (chosen == nullptr) {
        chosen = scriptFor("*");
    }
    if (chosen == nullptr) {
        return kRasSuccess;
    }
    std::size_t& attempt = dialAttempts_[chosen->target];
    const RasResult outcome = chosen->outcomes[std::min(attempt, chosen->outcomes.size() - 1)];
    ++attempt;
    return outcome;
}

RasResult EmulatedService::Dial(const DialParams& params, ConnectionHandle& handle) {
    Advance();
    if (const auto fault = FaultNow(ServiceCall::Dial)) {
        return *fault;
    }
    const bool byEntry = !params.entryName.empty();
    if (!byEntry && params.phoneNumber.empty()) {
        return kRasInvalidParameter;
    }
    if (byEntry && FindEntry(params.entryName) == nullptr) {
        return kRasCannotFindPhonebookEntry;
    }
    const std::string& target = byEntry ? params.entryName : params.phoneNumber;
    // The service dials an entry only once: dialing it again while it is connected gives the
    // connection it has, whose dial is complete.
    if (Connection* connected = byEntry ? ConnectedEntry(target) : nullptr) {
        handle = connected->handle;
        connected->handedOut = true;
        dials_.push_back({handle, {{Now(), {kStateConnected, kRasSuccess}}}, 0});
        return kRasSuccess;
    }
    // A typed number is listed as "." and the number.
    const std::string listedName = byEntry ? target : "." + target;
    const std::size_t script = ScriptFor(target);
    const std::string deviceName = DeviceOf(scripts_[script], listedName).name;
    for (const Connection& connection : connections_) {
        if (connection.HungUp() && DeviceOf(connection).name == deviceName) {
            return kPortNotAvailable;
        }
    }
    const RasResult outcome = NextOutcome(target);

    std::vector<DialStep> steps;
    const Millis start = Now();
    auto addStep = [&](std::uint32_t state, RasResult error) {
        const auto index = static_cast<Millis>(steps.size());
        steps.push_back({start + index * scenario_.dialStepMs, {state, error}});
    };
    const std::uint32_t failsAt =
        outcome == kRasAuthenticationFailure ? kStateAuthenticate : kStateConnectDevice;
    for (const std::uint32_t state : kDialStates) {
        if (outcome != kRasSuccess && state > failsAt) {
            break;
        }
        addStep(state, 0);
    }
    addStep(outcome == kRasSuccess ? kStateConnected : failsAt, outcome);

    const Millis gone =
        outcome == kRasSuccess ? After(start, scripts_[script].dropAfterMs) : steps.back().dueMs;
    Connection& connection = AddConnection(script, listedName, start, gone);
    connection.dialSteps = steps;
    connection.handedOut = true;
    dials_.push_back({connection.handle, std::move(steps), 0});
    handle = connection.handle;
    return kRasSuccess;
}

EmulatedService::Connection* EmulatedService::ConnectedEntry(const std::string& entryName) {
    const Millis now = Now();
    for (Connection& connection : connections_) {
        if (connection.entryName == entryName && !connection.Ended() &&
            StateAt(connection, now) == kStateConnected) {
            return &connection;
        }
    }
    return nullptr;
}

std::vector<DialProgress> EmulatedService::TakeDialProgress(ConnectionHandle handle,
                                                            bool& finished) {
    Advance();
    const Millis now = Now();
    std::vector<DialProgress> due;
    finished = true;
    for (auto dial = dials_.begin(); dial != dials_.end(); ++dial) {
        if (dial->handle != handle) {
            continue;
        }
        while (dial->taken < dial->steps.size() && dial->steps[dial->taken].dueMs <= now) {
            due.push_back(dial->steps[dial->taken++].progress);
        }
        finished = dial->taken == dial->steps.size();
        if (finished) {
            dials_.erase(dial);
        }
        break;
    }
    return due;
}

RasResult EmulatedService::EntryDialParams(DialParams& params, bool& passwordStored) {
    if (const auto fault = FaultNow(ServiceCall::DialParams)) {
        return *fault;
    }
    const PhonebookEntry* entry = FindEntry(params.entryName);
    if (entry == nullptr) {
        return kRasCannotFindPhonebookEntry;
    }
    params.userName = entry->userName;
    params.password = entry->password;
    params.domain = entry->domain;
    passwordStored = !entry->password.empty();
    return kRasSuccess;
}

RasResult EmulatedService::HangUp(ConnectionHandle handle) {
    Advance();
    if (const auto fault = FaultNow(ServiceCall::HangUp)) {
        return *fault;
    }
    Connection* connection = Find(handle);
    // After the hang-up the handle can no longer be used, although it answers for the status
    // until the port is released.
    if (connection == nullptr || connection->HungUp()) {
        return kRasInvalidHandle;
    }
    // A dial that is hung up reports nothing more.
    std::erase_if(dials_, [&](const DialRecord& dial) { return dial.handle == handle; });
    const Millis now = Now();
    EndConnection(handle, now, kRasSuccess);
    connection->hungUpMs = now;
    connection->releasedMs = now + scenario_.hangupDelayMs;
    Advance();
    return kRasSuccess;
}

// --- Phonebook and devices ---

RasResult EmulatedService::EnumEntries(std::vector<std::string>& entryNames) {
    if (const auto fault = FaultNow(ServiceCall::EnumEntries)) {
        return *fault;
    }
    entryNames.clear();
    for (const PhonebookEntry& entry : scenario_.entries) {
        entryNames.push_back(entry.name);
    }
    return kRasSuccess;
}

RasResult EmulatedService::EnumDevices(std::vector<DeviceInfo>& devices) {
    if (const auto fault = FaultNow(ServiceCall::EnumDevices)) {
        return *fault;
    }
    devices.clear();
    for (const Device& device : scenario_.devices) {
        devices.push_back({device.name, device.type});
    }
    return kRasSuccess;
}

std::optional<DialogAnswer> EmulatedService::TakeAnswer(std::vector<DialogAnswer>& answers,
                                                        const std::string& entryName) {
    const auto answer = std::find_if(answers.begin(), answers.end(), [&](const DialogAnswer& a) {
        return a.target.empty() || a.target == entryName;
    });
    if (answer == answers.end()) {
        return std::nullopt;
    }
    DialogAnswer taken = std::move(*answer);
    answers.erase(answer);
    return taken;
}

EmulatedService::EntryForm EmulatedService::FormFor(PhonebookEntry entry) const {
    EntryForm form{std::move(entry), {}};
    for (const Device& device : scenario_.devices) {
        form.deviceNames.push_back(device.name);
    }
    return form;
}

namespace {

// The fields an answer gives, put over the entry's.
PhonebookEntry Answered(PhonebookEntry entry, const DialogAnswer& answer) {
    entry.name = answer.name.value_or(entry.name);
    entry.phoneNumber = answer.phoneNumber.value_or(entry.phoneNumber);
    entry.userName = answer.userName.value_or(entry.userName);
    entry.password = answer.password.value_or(entry.password);
    entry.deviceName = answer.deviceName.value_or(entry.deviceName);
    return entry;
}

}  // namespace

RasResult EmulatedService::CreateEntry(std::optional<EntryForm>& ask) {
    ask.reset();
    if (const auto fault = FaultNow(ServiceCall::CreateEntry)) {
        return *fault;
    }
    // Each call plays one dialog: the next scripted answer, else the user's own.
    if (const auto answer = TakeAnswer(scenario_.createAnswers, "")) {
        if (!answer->cancelled) {
            SaveEntry("", Answered({}, *answer));
        }
    } else if (scenario_.askUnscripted) {
        ask = FormFor({});
    }
    return kRasSuccess;
}

RasResult EmulatedService::EditEntry(const std::string& entryName, std::optional<EntryForm>& ask) {
    ask.reset();
    if (const auto fault = FaultNow(ServiceCall::EditEntry)) {
        return *fault;
    }
    const PhonebookEntry* entry = FindEntry(entryName);
    if (entry == nullptr) {
        return kRasCannotFindPhonebookEntry;
    }
    if (const auto answer = TakeAnswer(scenario_.editAnswers, entryName)) {
        if (!answer->cancelled) {
            SaveEntry(entryName, Answered(*entry, *answer));
        }
    } else if (scenario_.askUnscripted) {
        ask = FormFor(*entry);
    }
    return kRasSuccess;
}

RasResult EmulatedService::CreateEntry() {
    std::optional<EntryForm> unanswered;
    return CreateEntry(unanswered);
}

RasResult EmulatedService::EditEntry(const std::string& entryName) {
    std::optional<EntryForm> unanswered;
    return EditEntry(entryName, unanswered);
}

RasResult EmulatedService::SaveEntry(const std::string& oldName, const PhonebookEntry& entry) {
    if (entry.name.empty()) {
        return kRasInvalidParameter;
    }
    if (entry.name != oldName && FindEntry(entry.name) != nullptr) {
        return kAlreadyExists;
    }
    if (oldName.empty()) {
        scenario_.entries.push_back(entry);
        return kRasSuccess;
    }
    PhonebookEntry* saved = FindEntry(oldName);
    if (saved == nullptr) {
        return kRasCannotFindPhonebookEntry;
    }
    *saved = entry;
    return kRasSuccess;
}

RasResult EmulatedService::DeleteEntry(const std::string& entryName) {
    if (const auto fault = FaultNow(ServiceCall::DeleteEntry)) {
        return *fault;
    }
    const auto erased = std::erase_if(
        scenario_.entries, [&](const PhonebookEntry& entry) { return entry.name == entryName; });
    return erased > 0 ? kRasSuccess : kRasCannotFindPhonebookEntry;
}

// --- Control commands ---

std::string EmulatedService::ApplyControl(std::string_view line) {
    const auto words = SplitWords(line);
    if (!words) {
        return "a quote is not closed";
    }
    if (words->empty()) {
        return {};
    }
    Advance();
    const std::string& command = words->front();
    if (command == "start") {
        return StartCommand(*words);
    }
    if (command == "drop") {
        return DropCommand(*words);
    }
    if (command == "fault") {
        return FaultCommand(*words);
    }
    if (command == "clear" && words->size() == 1) {
        scenario_.faults.clear();
        return {};
    }
    if (command == "speed") {
        return SpeedCommand(*words);
    }
    if (command == "dial") {
        return DialCommand(*words);
    }
    if (const auto dialogLine = ParseDialogLine(*words, scenario_)) {
        return *dialogLine;
    }
    return "unknown command '" + command + "' or wrong number of words";
}

std::string EmulatedService::StartCommand(const std::vector<std::string>& words) {
    if (words.size() > 2) {
        return "expected: start [\"entry\"]";
    }
    std::string name = words.size() == 2            ? words[1]
                       : !scripts_.empty()          ? scripts_.front().entryName
                       : !scenario_.entries.empty() ? scenario_.entries.front().name
                                                    : std::string(kStartedSessionName);
    const std::size_t script = ScriptFor(name);
    const Millis now = Now();
    AddConnection(script, std::move(name), now, After(now, scripts_[script].dropAfterMs));
    return {};
}

std::string EmulatedService::DropCommand(const std::vector<std::string>& words) {
    const auto code = words.size() == 3 ? ParseErrorCode(words[2]) : kRemoteDisconnection;
    if (words.size() > 3 || !code) {
        return "expected: drop [\"entry\" [CODE]]";
    }
    std::vector<ConnectionHandle> dropped;
    for (const Connection& connection : connections_) {
        if (!connection.Ended() && (words.size() == 1 || connection.entryName == words[1])) {
            dropped.push_back(connection.handle);
        }
    }
    for (const ConnectionHandle handle : dropped) {
        EndConnection(handle, Now(), *code);
    }
    return dropped.empty() ? "no connection to drop" : "";
}

std::string EmulatedService::FaultCommand(const std::vector<std::string>& words) {
    const auto call = words.size() >= 3 ? ParseServiceCall(words[1]) : std::nullopt;
    const auto code = words.size() >= 3 ? ParseErrorCode(words[2]) : std::nullopt;
    const bool timed = words.size() == 5 && words[3] == "for";
    const auto lasts = timed ? ParseSeconds(words[4]) : std::nullopt;
    if (!call || !code || (words.size() != 3 && !lasts)) {
        return "expected: fault CALL CODE [for SECONDS]";
    }
    const Millis now = Now();
    scenario_.faults.push_back({*call, *code, now, lasts ? now + *lasts : kNever});
    return {};
}

std::string EmulatedService::SpeedCommand(const std::vector<std::string>& words) {
    const auto speed = words.size() == 2 ? ParseSpeed(words[1]) : std::nullopt;
    if (!speed) {
        return "expected: speed FACTOR above 0 and at most 1000000";
    }
    // The scenario time goes on from where it is, only faster or slower.
    scenarioBaseMs_ = Now();
    realBaseMs_ = clock_.RealNowMs();
    scenario_.speed = *speed;
    return {};
}

std::string EmulatedService::DialCommand(const std::vector<std::string>& words) {
    const auto dial = ParseDialScript(std::vector<std::string>(words.begin() + 1, words.end()));
    if (!dial) {
        return "expected: dial \"entry\"|* OUTCOME...";
    }
    std::erase_if(scenario_.dials, [&](const DialScript& d) { return d.target == dial->target; });
    scenario_.dials.insert(scenario_.dials.begin(), *dial);
    dialAttempts_.erase(dial->target);
    return {};
}

}  // namespace orv::rasemu
