#pragma once
// The statistics file statistics\dialstat.xml of the program folder: opened once at start-up,
// appended to at the end of every session, cleared on request. Every save replaces the file in
// one step; a save that fails keeps the sessions in the document for the next save; a file read
// whole that cannot be parsed is moved aside, never overwritten. A file that cannot be opened
// or read (another program holds it) is not damaged: it is tried again, and nothing is written
// over it until it has been read.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/dialog_ports.h"
#include "base/regional_formats.h"
#include "monitor/monitor_ports.h"
#include "stats/session_list.h"
#include "stats/statistics_document.h"
#include "stats/statistics_ports.h"
#include "stats/statistics_xml.h"

namespace orv {

// A save is trusted only when the file it wrote has the size that was written: the rename
// would otherwise put a file cut short (a full disk) over the good one.
Outcome CheckSavedSize(std::optional<std::uint64_t> size, std::uint64_t written);

inline constexpr std::size_t kMaxUserNameCharacters = 255;

struct StatisticsServices {
    StatisticsStorage& storage;
    UserPrompts& prompts;
    Notices& notices;
    const LogonName& logon;
    const Clock& clock;
    // Where a save that fails again is told, once the first failure had its box.
    std::function<void(std::string_view)> statusText = {};
};

class StatisticsFile final : public SessionStore {
  public:
    StatisticsFile(StatisticsDocument& document, StatisticsServices services);

    // programFolder ends with a path separator.
    void OpenStatistics(const std::string& programFolder);
    // Called once a second. While the file could not be read, it is tried again 1, 2, 4, 8 and
    // 16 seconds after the start (and before every save); once read, the sessions of this run
    // follow its records and are saved.
    void RetryPendingRead();
    // True while the file waits to be read.
    bool ReadPending() const { return readPending_; }
    // Changes whenever records other than the last are no longer what they were (cleared,
    // or the file's records read in before this run's), so that a view knows its rows moved.
    std::size_t Revision() const { return revision_; }
    void AppendSession(const ConnectionInfo& session) override;
    // Writes the empty file over whatever is at the path; false (reported) when that failed.
    bool WriteEmptyStatisticsFile();
    // Asks first; true when the statistics were cleared (list, file and document).
    bool ClearStatistics(SessionList& list);

    // Sessions that are in memory but not in the file are saved once more, without asking or
    // reporting (the failure that kept them was reported); true when none are left out.
    bool SaveKeptSessions();
    std::size_t UnsavedSessions() const { return unsaved_; }

    const StatisticsDocument& Document() const { return document_; }
    const std::string& Path() const { return path_; }

  private:
    // Reads the file into the document; false while it cannot be read.
    bool ReadFile();
    // Before anything is written: a file that waits to be read is tried first.
    bool ReadIfPending() { return !readPending_ || ReadFile(); }
    void SetAside(const std::string& reason);
    bool SaveDocument();
    Outcome TrySave();
    bool MoveUnreadableFileAside();

    StatisticsDocument& document_;
    StatisticsServices services_;
    std::string path_;
    std::string unreadableKeptAs_;  // set while an unparsable file still waits to be moved
    std::size_t unsaved_ = 0;       // sessions in the document that the file lacks
    bool saveFailureShown_ = false;  // a box told of a failed save; none since succeeded
    bool readPending_ = false;       // the file exists but could not be read yet
    std::string readError_;          // why, as the system said it
    int secondsWaited_ = 0;
    std::size_t revision_ = 0;
};

}  // namespace orv
