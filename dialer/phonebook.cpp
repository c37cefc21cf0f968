#include "dialer/phonebook.h"

#include <algorithm>

#include "monitor/service_error_text.h"

namespace orv {
namespace {

constexpr std::string_view kDeleteQuestion = "Do you want to delete connection: ";

// Characters of an entry name a question shows: a longer name (up to 256 characters) would
// widen the box past the screen's edges, its buttons with it.
constexpr std::size_t kQuestionNameChars = 60;

// The name cut after its first characters, with "..." to say so.
std::string ShortenedName(std::string_view name) {
    std::size_t characters = 0;
    for (std::size_t at = 0; at < name.size(); ++at) {
        if ((static_cast<unsigned char>(name[at]) & 0xC0) != 0x80 &&
            ++characters > kQuestionNameChars - 3) {
            return std::string(name.substr(0, at)) + "...";
        }
    }
    return std::string(name);
}

bool Contains(const std::vector<std::string>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

void Phonebook::LoadPhonebookEntries() {
    names_.clear();
    ports_.entries.SetEntries(names_);
    const RasResult result = ports_.service.EnumEntries(names_);
    if (result != kRasSuccess) {
        names_.clear();
        ports_.status.SetStatusText(
            ServiceErrorText(ports_.service, result, kMonitorErrorTextChars));
        return;
    }
    ports_.entries.SetEntries(names_);
    if (!names_.empty()) {
        ports_.entries.Select(0);
    }
}

void Phonebook::Reload(std::string_view keep, bool preferNew) {
    const std::vector<std::string> before = names_;
    LoadPhonebookEntries();
    std::vector<std::string> added;
    for (const std::string& name : names_) {
        if (!Contains(before, name)) {
            added.push_back(name);
        }
    }
    std::string_view chosen;
    if (added.size() == 1 && (preferNew || !Contains(names_, keep))) {
        chosen = added.front();
    } else if (Contains(names_, keep)) {
        chosen = keep;
    }
    if (!chosen.empty()) {
        const auto at = std::find(names_.begin(), names_.end(), chosen) - names_.begin();
        ports_.entries.Select(static_cast<std::size_t>(at));
    }
}

void Phonebook::LoadDevices() {
    std::vector<DeviceInfo> devices;
    if (ports_.service.EnumDevices(devices) != kRasSuccess) {
        return;
    }
    for (const DeviceInfo& device : devices) {
        ports_.devices.AddDevice(device);
    }
}

void Phonebook::ShowError(RasResult result) {
    ports_.status.SetStatusText(ServiceErrorText(ports_.service, result, kMonitorErrorTextChars));
}

void Phonebook::BitBtn5Click() {
    const RasResult result = ports_.service.CreatePhonebookEntry(ports_.applicationWindow);
    // The entry the dialog made is the one the user wants next; with none made the selection
    // stays where it was.
    Reload(ports_.entries.Text(), true);
    if (result != kRasSuccess && result != kRasCancelled) {
        ShowError(result);
    }
}

void Phonebook::BitBtn3Click() {
    const std::string name = ports_.entries.Text();
    ports_.service.EditPhonebookEntry(ports_.mainWindow, name);
    // Reloaded, so that a renamed entry is dialed by its current name.
    Reload(name, false);
}

void Phonebook::BitBtn4Click() {
    const std::string name = ports_.entries.Text();
    if (!ports_.questions.AskYesNo(std::string(kDeleteQuestion) + ShortenedName(name))) {
        return;
    }
    const RasResult result = ports_.service.DeleteEntry(name);
    if (result != kRasSuccess) {
        ShowError(result);
        return;
    }
    LoadPhonebookEntries();
}

}  // namespace orv
