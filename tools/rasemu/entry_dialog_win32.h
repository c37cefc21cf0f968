#pragma once
// The emulated service's own entry dialog, shown when a scenario scripts no answer for the
// "new entry" or "edit entry" dialog: the entry name, phone number, user name, password and
// device, with OK and Cancel.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tools/rasemu/scenario.h"

namespace orv::rasemu {

// The dialog's fields, for tests that fill it in from outside; the buttons are IDOK and
// IDCANCEL. The new-entry dialog is captioned kNewEntryCaption, the
// edit dialog 'Edit "NAME" (emulated service)'.
inline constexpr int kEntryDialogNameId = 101;
inline constexpr int kEntryDialogPhoneId = 102;
inline constexpr int kEntryDialogUserId = 103;
inline constexpr int kEntryDialogPasswordId = 104;
inline constexpr int kEntryDialogDeviceId = 105;
inline constexpr char kNewEntryCaption[] = "New phonebook entry (emulated service)";

// Keeps what the user typed; returns a text to show when it cannot (the dialog then stays
// open), or an empty text.
using SaveTypedEntry = std::function<std::string(const PhonebookEntry&)>;

// Modal over owner (which may be null); true when the user saved, false when cancelled.
bool ShowEntryDialog(HWND owner, const std::string& caption, const PhonebookEntry& start,
                     const std::vector<std::string>& deviceNames, const SaveTypedEntry& save);

}  // namespace orv::rasemu
