#pragma once
// The statistics file statistics\dialstat.xml of the program folder: opened once at start-up,
// appended to at the end of every session, cleared on request. Every save replaces the file in
// one step; a save that fails keeps the sessions in the document for the next save; a file that
// cannot be parsed is moved aside, never overwritten.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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
    const LogonName& logon;
    const Clock& clock;
};

class StatisticsFile final : public SessionStore {
  public:
    StatisticsFile(StatisticsDocument& document, StatisticsServices services);

    // programFolder ends with a path separator.
    void OpenStatistics(const std::string& programFolder);
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
    bool SaveDocument();
    Outcome TrySave();
    bool MoveUnreadableFileAside();

    StatisticsDocument& document_;
    StatisticsServices services_;
    std::string path_;
    std::string unreadableKeptAs_;  // set while an unparsable file still waits to be moved
    std::size_t unsaved_ = 0;       // sessions in the document that the file lacks
};

}  // namespace orv
