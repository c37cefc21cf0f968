#include "dialer/phonebook.h"

#include <algorithm>

#include "monitor/service_error_text.h"

namespace orv {
namespace {

constexpr std::string_view kDeleteQuestion = "Do you want to delete connection: ";

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

void Phonebook::Reload(std::string_view keep) {
    const std::vector<std::string> before = names_;
    LoadPhonebookEntries();
    std::vector<std::string> added;
    for (const std::string& name : names_) {
        if (!Contains(before, name)) {
            added.push_back(name);
        }
    }
    std::string_view chosen;
    if (Contains(names_, keep)) {
        chosen = keep;
    } else if (added.size() == 1) {
        chosen = added.front();
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

void Phonebook::BitBtn5Click() {
    ports_.service.CreatePhonebookEntry(ports_.applicationWindow);
    LoadPhonebookEntries();
}

void Phonebook::BitBtn3Click() {
    const std::string name = ports_.entries.Text();
    ports_.service.EditPhonebookEntry(ports_.mainWindow, name);
    // Reloaded, so that a renamed entry is dialed by its current name.
    Reload(name);
}

void Phonebook::BitBtn4Click() {
    const std::string name = ports_.entries.Text();
    if (!ports_.questions.AskYesNo(std::string(kDeleteQuestion) + name)) {
        return;
    }
    if (ports_.service.DeleteEntry(name) == kRasSuccess) {
        LoadPhonebookEntries();
    }
}

}  // namespace orv
