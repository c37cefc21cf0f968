#pragma once
// The journal of the running session, beside the statistics file: what a kill, a crash or a
// power cut would otherwise lose. It notes the session in progress (at its start, at every
// minute check, at exit and at a log-off) and the ended sessions a failed save could not write
// yet. The next start continues a noted session whose line is still up, so that it is stored
// once at its end, and stores one whose line is gone as ended at its last note.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/outcome.h"
#include "base/regional_formats.h"
#include "monitor/monitor_ports.h"
#include "monitor/monitor_tick.h"
#include "stats/statistics_document.h"

namespace orv {

inline constexpr std::string_view kJournalInFolder = "statistics\\dialstat.journal";

struct Journal {
    std::optional<RunningSession> running;
    std::vector<ConnectionInfo> kept;  // ended, not in the statistics file yet; oldest first
};

// Text lines: a heading, then per session a line "running" or "kept" followed by lines of
// a name, a tab and the value (backslash, tab, CR and LF escaped). Counts are decimal digits of
// any width, so 64-bit byte counts fit.
std::string FormatJournal(const Journal& journal);
// Nothing when the text is not a journal; lines it does not know are skipped.
std::optional<Journal> ParseJournal(std::string_view text);

// How far apart the start moments, each worked out from a reading and its duration, may lie
// for one line: the noted figures come from the last tick, up to a second before the note.
inline constexpr std::int64_t kSameStartToleranceMs = 5000;

// Whether `live` is the line of the noted session, still up: the same entry and device, the
// same start moment within the tolerance, and no figure smaller than noted.
bool ContinuesSession(const RunningSession& noted, const LiveLine& live);

// The journal's file; written in one step, so that a kill leaves the old one or the new one.
class JournalFile {
  public:
    virtual ~JournalFile() = default;
    // Nothing when there is no journal or it cannot be read.
    virtual std::optional<std::string> Read(const std::string& path) const = 0;
    virtual Outcome Replace(const std::string& path, std::string_view bytes) = 0;
    // A journal that is not there is no failure.
    virtual Outcome Remove(const std::string& path) = 0;
};

// What the journal needs of the statistics file.
// AppendSession stores, or keeps in memory for a later save when the save fails (reported
// there).
class SessionArchive : public SessionStore {
  public:
    virtual std::size_t UnsavedSessions() const = 0;
    // Saves the kept sessions once more, without asking or reporting; true when none are left.
    virtual bool SaveKeptSessions() = 0;
    virtual const StatisticsDocument& Document() const = 0;
};

struct JournalServices {
    JournalFile& file;
    SessionArchive& archive;
    // The monitor's session in progress, if any.
    std::function<std::optional<RunningSession>()> running;
    // A failure of the journal's own file, said once until a write succeeds again.
    std::function<void(std::string_view)> report;
};

// The tick's store: an ended session is noted before the statistics file is saved, and taken
// out of the note once the file holds it.
class SessionJournal final : public SessionStore {
  public:
    explicit SessionJournal(JournalServices services);

    // Reads what an earlier run left; programFolder ends with a path separator.
    void Open(const std::string& programFolder);
    // Before the first tick, with the line the service lists first. A noted session that this
    // line continues goes to continueSession (the tick then follows it); otherwise it is stored
    // as ended at its note. Kept sessions that the statistics file lacks are stored too.
    void Resume(const std::optional<LiveLine>& first,
                const std::function<void(const RunningSession&)>& continueSession);

    void AppendSession(const ConnectionInfo& session) override;
    void SessionStarted() override { Write(); }
    // Every minute check, exit and log-off: kept sessions are saved once more and the running
    // session's figures are noted.
    void Note();

    const std::string& Path() const { return path_; }
    const std::vector<ConnectionInfo>& Kept() const { return kept_; }

  private:
    void Write();
    void Written(const Outcome& outcome);
    void ForgetSavedSessions();

    JournalServices services_;
    std::string path_;
    std::optional<Journal> left_;  // what the earlier run left, until Resume
    std::vector<ConnectionInfo> kept_;
    bool resumed_ = false;
    bool mayBeOnDisk_ = true;
    bool failing_ = false;
};

}  // namespace orv
