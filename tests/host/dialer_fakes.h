#pragma once
// Fakes for the dialer: a scripted dialing and phonebook service, and a dial page that records
// what the dialer shows, asks and queues, in one event log to check the order of the steps.

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/dialog_ports.h"
#include "dialer/dialer_ports.h"
#include "monitor/connection_source.h"

namespace orv::test {

using DialerLog = std::vector<std::string>;

class FakeDialService : public DialService, public PhonebookService {
  public:
    explicit FakeDialService(DialerLog& log) : log_(log) {}

    RasResult dialResult = kRasSuccess;
    ConnectionHandle nextHandle = 0x42;
    std::vector<DialParams> dials;
    DialProgressHandler progress;  // of the last dial
    RasResult hangUpResult = kRasSuccess;
    std::vector<ConnectionHandle> hungUp;
    // Status checks a hung-up handle answers before the service has released its port.
    int releaseChecks = 0;
    std::map<ConnectionHandle, int> answersLeft;
    std::map<std::string, std::pair<std::string, std::string>> stored;  // user, password

    RasResult entriesResult = kRasSuccess;
    std::vector<std::string> entries;
    RasResult devicesResult = kRasSuccess;
    std::vector<DeviceInfo> devices;
    std::vector<std::pair<std::string, std::string>> renames;  // the next edit dialog's
    RasResult deleteResult = kRasSuccess;
    std::vector<NativeWindow> dialogOwners;
    std::vector<std::size_t> errorBufferSizes;
    std::size_t longestText = 0;  // texts up to this length fit any buffer; 0: all fit

    static std::string ErrorText(RasResult code) { return "service text " + std::to_string(code); }

    RasResult GetErrorString(RasResult code, std::size_t chars, std::string& text) override {
        errorBufferSizes.push_back(chars);
        if (longestText != 0 && chars <= longestText) {
            return kRasInsufficientBuffer;
        }
        text = ErrorText(code);
        return kRasSuccess;
    }
    RasResult Dial(const DialParams& params, DialProgressHandler handler,
                   ConnectionHandle& connection) override {
        log_.push_back("dial");
        dials.push_back(params);
        progress = std::move(handler);
        connection = nextHandle;
        return dialResult;
    }
    RasResult GetEntryDialParams(DialParams& params) override {
        log_.push_back("dial params");
        const auto found = stored.find(params.entryName);
        if (found == stored.end()) {
            return kRasCannotFindPhonebookEntry;
        }
        params.userName = found->second.first;
        params.password = found->second.second;
        return kRasSuccess;
    }
    RasResult HangUp(ConnectionHandle connection) override {
        log_.push_back("hang up");
        hungUp.push_back(connection);
        if (connection == 0) {
            return kRasInvalidHandle;
        }
        if (hangUpResult == kRasSuccess) {
            answersLeft[connection] = releaseChecks;
        }
        return hangUpResult;
    }
    RasResult GetConnectStatus(ConnectionHandle connection, std::uint32_t& state) override {
        log_.push_back("status");
        auto left = answersLeft.find(connection);
        if (left == answersLeft.end() || left->second == 0) {
            return kRasInvalidHandle;
        }
        --left->second;
        state = kStateDisconnected;
        return kRasSuccess;
    }
    RasResult EnumEntries(std::vector<std::string>& names) override {
        if (entriesResult == kRasSuccess) {
            names = entries;
        }
        return entriesResult;
    }
    RasResult EnumDevices(std::vector<DeviceInfo>& out) override {
        if (devicesResult == kRasSuccess) {
            out = devices;
        }
        return devicesResult;
    }
    RasResult CreatePhonebookEntry(NativeWindow owner) override {
        log_.push_back("create");
        dialogOwners.push_back(owner);
        entries.push_back("Created");
        return kRasSuccess;
    }
    RasResult EditPhonebookEntry(NativeWindow owner, const std::string& name) override {
        log_.push_back("edit " + name);
        dialogOwners.push_back(owner);
        for (auto& entry : entries) {
            for (const auto& [from, to] : renames) {
                if (entry == name && from == name) {
                    entry = to;
                }
            }
        }
        return kRasSuccess;
    }
    RasResult DeleteEntry(const std::string& name) override {
        log_.push_back("delete " + name);
        if (deleteResult == kRasSuccess) {
            std::erase(entries, name);
        }
        return deleteResult;
    }

  private:
    DialerLog& log_;
};

class FakeDialPage : public DialControls,
                     public StatusPanel,
                     public DialQueue,
                     public ReleaseTimer,
                     public EntryList,
                     public DeviceList,
                     public Questions,
                     public MessageBoxes {
  public:
    explicit FakeDialPage(DialerLog& log) : log_(log) {}

    DialForm form;
    bool redialOn = false;
    std::string statusText = "old text";
    int redialsQueued = 0;
    bool timerRunning = false;
    std::uint64_t now = 1000;
    std::function<void()> duringPump;  // what arrives while the queue is pumped
    std::vector<std::string> items;
    int selected = -1;
    std::vector<DeviceInfo> deviceRows;
    bool answerYes = true;
    std::vector<std::string> questions;
    std::vector<std::pair<std::string, std::string>> errors;  // title, text

    DialForm ReadForm() const override { return form; }
    bool RedialOn() const override { return redialOn; }
    void SetStatusText(std::string_view text) override {
        statusText = std::string(text);
        log_.push_back("status: " + statusText);
    }
    void ProcessPendingMessages() override {
        log_.push_back("pump");
        if (auto during = std::exchange(duringPump, {})) {
            during();
        }
    }
    void PostRedial() override { ++redialsQueued; }
    void StartReleaseTimer(unsigned) override {
        timerRunning = true;
        log_.push_back("wait");
    }
    void StopReleaseTimer() override { timerRunning = false; }
    std::uint64_t Milliseconds() const override { return now; }
    void SetEntries(const std::vector<std::string>& names) override {
        items = names;
        selected = -1;
    }
    void Select(std::size_t index) override { selected = static_cast<int>(index); }
    std::string Text() const override {
        return selected < 0 ? std::string() : items.at(static_cast<std::size_t>(selected));
    }
    void AddDevice(const DeviceInfo& device) override { deviceRows.push_back(device); }
    bool AskYesNo(std::string_view question) override {
        questions.emplace_back(question);
        return answerYes;
    }
    void ShowError(std::string_view title, std::string_view text) override {
        errors.emplace_back(title, text);
    }
    void ShowPlain(std::string_view, std::string_view) override {}

  private:
    DialerLog& log_;
};

}  // namespace orv::test
