#pragma once
// The phonebook actions of the dial page (the entry list, New, Edit, Delete) and the device
// list of the information page, over the platform's phonebook and its own entry dialogs.

#include <string>
#include <string_view>
#include <vector>

#include "dialer/dialer_ports.h"
#include "monitor/connection_source.h"

namespace orv {

struct PhonebookPorts {
    PhonebookService& service;
    EntryList& entries;
    DeviceList& devices;
    StatusPanel& status;
    Questions& questions;
    NativeWindow applicationWindow;  // owns the new-entry dialog
    NativeWindow mainWindow;         // owns the edit dialog
};

class Phonebook {
  public:
    explicit Phonebook(PhonebookPorts ports) : ports_(ports) {}

    // Refills the entry list and selects the first entry; an enumeration error goes to the
    // status panel and leaves the list empty.
    void LoadPhonebookEntries();
    // Lists the devices once; a failure leaves the list as it is, silently.
    void LoadDevices();
    // "New": the platform's new-entry dialog, then the list reloaded with the new entry
    // selected; a dialog that could not open says so in the status panel.
    void BitBtn5Click();
    // "Edit": the platform's edit dialog, then the list reloaded with the same entry selected,
    // under its new name when the dialog renamed it.
    void BitBtn3Click();
    // "Delete": asks, deletes, reloads; No changes nothing, a failed delete leaves the list
    // and writes the service's error text to the status panel.
    void BitBtn4Click();

  private:
    // Reloads; selects the one new name when exactly one appeared (a new or renamed entry) and
    // `keep` is gone or a new entry is wanted, else `keep` when listed, else the first.
    void Reload(std::string_view keep, bool preferNew);
    void ShowError(RasResult result);

    PhonebookPorts ports_;
    std::vector<std::string> names_;  // as last listed
};

}  // namespace orv
