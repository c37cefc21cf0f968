#include "stats/statistics_file.h"

#include <array>
#include <cstdio>
#include <optional>

namespace orv {

namespace {

constexpr std::string_view kFileInFolder = "statistics\\dialstat.xml";
constexpr std::string_view kClearQuestion = "This will delete all statistics. Continue?";

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
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return text;
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
    if (!services_.storage.Exists(path_)) {
        WriteEmptyStatisticsFile();
    }
    const Outcome loaded = document_.Load(path_);
    if (loaded.ok()) {
        return;
    }
    document_.Reset();
    if (!services_.storage.Exists(path_)) {
        return;  // nothing to keep; the failed write of the empty file was reported
    }
    unreadableKeptAs_ = path_ + ".unreadable-" + Stamp(services_.clock.Now());
    services_.prompts.ReportError("The statistics file " + path_ + " cannot be read (" +
                                  Reason(loaded.error()) + "). It is kept as " + unreadableKeptAs_ +
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
    WriteEmptyStatisticsFile();
    document_.Reset();
    unsaved_ = 0;
    return true;
}

Outcome StatisticsFile::TrySave() {
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
    if (!MoveUnreadableFileAside()) {
        return false;
    }
    const Outcome saved = TrySave();
    if (!saved.ok()) {
        services_.prompts.ReportError("The statistics cannot be saved to " + path_ + ": " +
                                      Reason(saved.error()) +
                                      ". The sessions of this run are kept and written at the "
                                      "next successful save.");
    }
    return saved.ok();
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
