#pragma once
// What the dialer and the phonebook actions read from and write to the dial page, the status
// bar and the interface thread's message queue. The Windows page implements these; host tests
// use fakes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "monitor/connection_source.h"

namespace orv {

// The dial page as it stands when "Dial" is pressed.
struct DialForm {
    bool useExisting = true;  // "Использовать имеющиеся"
    std::string entryName;    // the entry list's text
    std::string phoneNumber;  // "Телефон"
    std::string callbackNumber;
    std::string userName;
    std::string password;
    bool pulse = true;  // "Импульсный"; tone otherwise
};

// The text panel of the main window's status bar.
class StatusPanel {
  public:
    virtual ~StatusPanel() = default;
    virtual void SetStatusText(std::string_view text) = 0;
};

class DialControls {
  public:
    virtual ~DialControls() = default;
    virtual DialForm ReadForm() const = 0;
    // "Перезванивать", read live.
    virtual bool RedialOn() const = 0;
};

// The interface thread's message queue.
class DialQueue {
  public:
    virtual ~DialQueue() = default;
    // Runs every pending message, so that the page repaints before a dial.
    virtual void ProcessPendingMessages() = 0;
    // Queues one message that makes the interface thread call Dialer::RedialDue.
    virtual void PostRedial() = 0;
};

// The timer step of the wait for a hung-up line's release, on the interface thread's loop (the
// window stays responsive while the service lets the port go).
class ReleaseTimer {
  public:
    virtual ~ReleaseTimer() = default;
    // Makes the interface thread call Dialer::ReleaseCheckDue every intervalMs until stopped.
    virtual void StartReleaseTimer(unsigned intervalMs) = 0;
    virtual void StopReleaseTimer() = 0;
    // A steadily rising count of milliseconds, to bound the wait.
    virtual std::uint64_t Milliseconds() const = 0;
};

// The entry list (an editable list the user can only pick from).
class EntryList {
  public:
    virtual ~EntryList() = default;
    // Replaces the items; none is selected and the text is empty.
    virtual void SetEntries(const std::vector<std::string>& names) = 0;
    virtual void Select(std::size_t index) = 0;
    virtual std::string Text() const = 0;
};

// The device list on the information page.
class DeviceList {
  public:
    virtual ~DeviceList() = default;
    virtual void AddDevice(const DeviceInfo& device) = 0;
};

class Questions {
  public:
    virtual ~Questions() = default;
    // A Yes/No question with the information icon; true for Yes.
    virtual bool AskYesNo(std::string_view question) = 0;
};

}  // namespace orv
