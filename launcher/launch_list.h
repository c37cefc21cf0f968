#pragma once
// The launch list: the programs the monitor starts by itself, read from apptoload.orl at start,
// written back at exit, and started by start moment.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/dialog_ports.h"
#include "base/language_code.h"
#include "launcher/launch_entry.h"
#include "launcher/launch_ports.h"

namespace orv {

inline constexpr std::string_view kLaunchListFile = "apptoload.orl";

// The file's lines to entries. Each entry is six lines (name, "@1"/"@0", then TAB + folder,
// parameters, window mode, start moment) and the first line of a block is always a name, so a
// name beginning with '@' reads back as written. Lines that fit nowhere are skipped.
std::vector<LaunchEntry> ParseLaunchList(std::string_view text);
// Six lines per entry, each ended by CR LF.
std::string FormatLaunchList(const std::vector<LaunchEntry>& entries);

struct LaunchServices {
    LaunchListFile& file;
    ProgramShell& shell;
    ProgramPictures& pictures;
    MessageBoxes& boxes;
    Notices& notices;
    // Where a program that could not be started is named; none: nowhere.
    std::function<void(const std::string& text)> statusText = {};
    // The language of the launcher's own texts; none: as designed (Russian).
    const LanguageCode* language = nullptr;
};

class LaunchList {
  public:
    bool Russian() const { return services_.language == nullptr || services_.language->IsRussian(); }
    LaunchList(LaunchServices services, std::string programFolder);

    // Fills the list from the file, creating an empty file when none exists. A folder where
    // the file cannot be created leaves the list empty without a message; a file that exists
    // but cannot be read leaves it empty, and the user is told once, without a box.
    void LoadLaunchList();
    // Writes the list to the file; a failure is shown and the old file stays. A file that was
    // not read is written only once the user has made the list something else than the empty
    // list it started as: an exit must not put an empty list over the user's.
    void SaveLaunchList();
    // After an edit of the page: writes the list when it differs from what the file holds, so
    // that a crash does not lose the edit. A failure is shown once until a save succeeds.
    void SaveAfterEdit();
    // Starts the enabled entries of the moment, in list order.
    void LaunchPrograms(StartMoment moment);

    std::vector<LaunchEntry>& Entries() { return entries_; }
    const std::vector<LaunchEntry>& Entries() const { return entries_; }
    const LaunchServices& Services() const { return services_; }

  private:
    std::string FilePath() const { return programFolder_ + std::string(kLaunchListFile); }
    bool Save(std::string text, bool reportFailure);

    LaunchServices services_;
    std::string programFolder_;
    std::vector<LaunchEntry> entries_;
    bool fileIsOurs_ = false;  // read at the start, or written since
    std::string savedText_;    // what the file holds as far as this run knows
    bool editSaveFailed_ = false;
};

}  // namespace orv
