#include "stats/statistics_file.h"

#include <array>
#include <optional>

namespace orv {

namespace {

constexpr std::string_view kFileInFolder = "statistics\\dialstat.xml";
constexpr std::string_view kClearQuestion = "This will delete all statistics. Continue?";
constexpr int kLastRetrySecond = 16;

// At most maxCharacters UTF-8 characters (continuation bytes do not start one).
std::string TruncateCharacters(std::string text, std::size_t maxCharacters) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsCharacter && ++characters > maxCharacters) {
            text.resize(i);
            break;
        }
    }
    return text;
}

std::string Stamp(const LocalDateTime& t) {
    return FixedWidthMoment(t, "", "-", "");
}

// A system text inside a sentence: without its own full stop, so that none is doubled.
std::string Reason(std::string text) {
    while (!text.empty() && (text.back() == '.' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

}  // namespace

Outcome CheckSavedSize(std::optional<std::uint64_t> size, std::uint64_t written) {
    if (size != written) {
        return Outcome::Failed("the file written is incomplete (is the disk full?)");
    }
    return Outcome::Ok();
}

StatisticsFile::StatisticsFile(StatisticsDocument& document, StatisticsServices services)
    : document_(document), services_(services) {}

void StatisticsFile::OpenStatistics(const std::string& programFolder) {
    path_ = programFolder + std::string(kFileInFolder);
    // An empty file holds no sessions yet (nothing to keep): it gets the empty document.
    if (!services_.storage.Exists(path_) || services_.storage.FileSize(path_) == 0u) {
        WriteEmptyStatisticsFile();
    }
    ReadFile();
}

void StatisticsFile::RetryPendingRead() {
    if (!readPending_ || secondsWaited_ > kLastRetrySecond) {
        return;
    }
    ++secondsWaited_;
    // Powers of two: soon after the start, then less and less often.
    if ((secondsWaited_ & (secondsWaited_ - 1)) == 0 && ReadFile() && unsaved_ > 0) {
        SaveDocument();
    }
}

bool StatisticsFile::ReadFile() {
    // The document holds only sessions of this run here: none at the start, or those that
    // ended while the file waited to be read.
    const LoadOutcome loaded = document_.LoadKeepingHeld(path_);
    const bool wasPending = readPending_;
    readPending_ = loaded.kind == LoadOutcome::Kind::Unreadable;
    if (wasPending && !readPending_) {
        ++revision_;  // the file's records now come before this run's
    }
    switch (loaded.kind) {
        case LoadOutcome::Kind::Read:
        case LoadOutcome::Kind::Missing:  // nothing to keep; a failed write was reported
            return true;
        case LoadOutcome::Kind::ReadWithoutEnd:
            services_.notices.Notify("The statistics file " + path_ +
                                     " ends after its last complete session, without its "
                                     "closing </all>. Its sessions are read, and the next save "
                                     "writes the file whole.");
            return true;
        case LoadOutcome::Kind::Unreadable:
            if (!wasPending) {
                readError_ = Reason(loaded.error);
                services_.notices.Notify(
                    "The statistics file " + path_ + " cannot be read yet (" + readError_ +
                    "). It is tried again; the sessions of this run are kept and added to it "
                    "once it can be read.");
            }
            return false;
        case LoadOutcome::Kind::Damaged:
            SetAside(Reason(loaded.error));
            return true;
    }
    return true;
}

// A file read whole that does not parse is kept under a new name and the statistics start
// from the empty file (with the sessions of this run, if any).
void StatisticsFile::SetAside(const std::string& reason) {
    unreadableKeptAs_ = path_ + ".unreadable-" + Stamp(services_.clock.Now());
    services_.prompts.ReportError("The statistics file " + path_ + " cannot be read (" + reason +
                                  "). It is kept as " + unreadableKeptAs_ +
                                  " and the statistics start empty.");
    if (MoveUnreadableFileAside()) {
        WriteEmptyStatisticsFile();
    }
}

void StatisticsFile::AppendSession(const ConnectionInfo& session) {
    const std::string user = TruncateCharacters(services_.logon.UserName(), kMaxUserNameCharacters);
    // The texts in the file's attribute order; the names come from the one list the writer
    // and the reader share.
    const std::array<std::string_view, kSessionColumns> texts = {
        session.name,         user,
        session.duration,     session.connspeed,
        session.received,     session.send,
        session.serverip,     session.clientip,
        session.startsession, session.endsession,
        session.averagespeed};
    static_assert(std::size(kRecordAttributeNames) == kSessionColumns);
    std::array<NamedText, kSessionColumns> attributes;
    for (std::size_t i = 0; i < kSessionColumns; ++i) {
        attributes[i] = {kRecordAttributeNames[i], texts[i]};
    }
    const Outcome added = document_.AppendRecord(attributes);
    if (!added.ok()) {
        services_.prompts.ReportError("The session cannot be added to the statistics: " +
                                      added.error());
        return;
    }
    ++unsaved_;
    SaveDocument();
}

bool StatisticsFile::SaveKeptSessions() {
    return unsaved_ == 0 || TrySave().ok();
}

bool StatisticsFile::WriteEmptyStatisticsFile() {
    if (!MoveUnreadableFileAside()) {
        return false;
    }
    const Outcome written =
        services_.storage.ReplaceAtomically(path_, [this](const std::string& temp) {
            return services_.storage.WriteBytes(temp, kEmptyStatisticsFile);
        });
    if (!written.ok()) {
        services_.prompts.ReportError("The statistics file " + path_ +
                                      " cannot be written: " + written.error());
    }
    return written.ok();
}

bool StatisticsFile::ClearStatistics(SessionList& list) {
    if (!services_.prompts.AskYesNo(kClearQuestion)) {
        return false;
    }
    list.Clear();
    readPending_ = false;  // the user chose to delete what the file holds
    WriteEmptyStatisticsFile();
    document_.Reset();
    unsaved_ = 0;
    ++revision_;
    return true;
}

Outcome StatisticsFile::TrySave() {
    if (!ReadIfPending()) {
        return Outcome::Failed("the file cannot be read (" + readError_ + ")");
    }
    if (!unreadableKeptAs_.empty()) {
        const Outcome moved = services_.storage.Rename(path_, unreadableKeptAs_);
        if (!moved.ok()) {
            return moved;
        }
        unreadableKeptAs_.clear();
    }
    const Outcome saved =
        services_.storage.ReplaceAtomically(path_, [this](const std::string& temp) {
            const Outcome written = document_.Save(temp);
            if (!written.ok()) {
                return written;
            }
            return CheckSavedSize(services_.storage.FileSize(temp), document_.SavedBytes());
        });
    if (saved.ok()) {
        unsaved_ = 0;
        document_.Stored(path_);
    }
    return saved;
}

bool StatisticsFile::SaveDocument() {
    // The user has been told that the file waits to be read; the sessions stay in memory.
    if (!ReadIfPending() || !MoveUnreadableFileAside()) {
        return false;
    }
    const Outcome saved = TrySave();
    if (saved.ok()) {
        if (saveFailureShown_ && services_.statusText) {
            services_.statusText("The statistics are saved to " + path_ + " again.");
        }
        saveFailureShown_ = false;
        return true;
    }
    const std::string failure = "The statistics cannot be saved to " + path_ + ": " +
                                Reason(saved.error()) + ". " + std::to_string(unsaved_) +
                                (unsaved_ == 1 ? " session of this run is" : " sessions of this run are") +
                                " kept and written at the next successful save.";
    // One box says it; every session end after it would pile up another.
    if (saveFailureShown_ && services_.statusText) {
        services_.statusText(failure);
    } else {
        saveFailureShown_ = true;
        services_.prompts.ReportError(failure);
    }
    return false;
}

// An unparsable file is never overwritten: until it has been moved aside nothing is saved.
bool StatisticsFile::MoveUnreadableFileAside() {
    if (unreadableKeptAs_.empty()) {
        return true;
    }
    const Outcome moved = services_.storage.Rename(path_, unreadableKeptAs_);
    if (!moved.ok()) {
        services_.prompts.ReportError(
            "The unreadable statistics file " + path_ + " cannot be moved to " + unreadableKeptAs_ +
            " (" + Reason(moved.error()) + "), so the statistics are not saved.");
        return false;
    }
    unreadableKeptAs_.clear();
    return true;
}

}  // namespace orv
