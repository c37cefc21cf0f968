// The running session's journal: whether a noted session is the line still up, and that every
// session is stored once across closes, kills and failed saves.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <vector>

#include "stats/session_journal.h"
#include "tests/host/support/memory_document.h"

namespace orv {
namespace {

constexpr const char* kFolder = "C:\\Orvane\\";
const std::string kPath = std::string(kFolder) + "statistics\\dialstat.journal";

class MemoryJournalFile final : public JournalFile {
  public:
    std::optional<std::string> Read(const std::string& path) const override {
        const auto found = files.find(path);
        return found == files.end() ? std::nullopt : std::optional(found->second);
    }
    Outcome Replace(const std::string& path, std::string_view bytes) override {
        if (refuse) {
            return Outcome::Failed("The disk is full.");
        }
        files[path] = std::string(bytes);
        return Outcome::Ok();
    }
    Outcome Remove(const std::string& path) override {
        files.erase(path);
        return Outcome::Ok();
    }
    std::map<std::string, std::string> files;
    bool refuse = false;
};

// The statistics file: every session goes into the document; a failing disk keeps it unsaved.
class MemoryArchive final : public SessionArchive {
  public:
    void AppendSession(const ConnectionInfo& s) override {
        document.records.push_back({{"name", s.name},
                                    {"user", "anna"},
                                    {"duration", s.duration},
                                    {"connspeed", s.connspeed},
                                    {"received", s.received},
                                    {"send", s.send},
                                    {"serverip", s.serverip},
                                    {"clientip", s.clientip},
                                    {"startsession", s.startsession},
                                    {"endsession", s.endsession},
                                    {"averagespeed", s.averagespeed}});
        unsaved = diskFull ? unsaved + 1 : 0;
    }
    std::size_t UnsavedSessions() const override { return unsaved; }
    bool SaveKeptSessions() override {
        unsaved = diskFull ? unsaved : 0;
        return unsaved == 0;
    }
    const StatisticsDocument& Document() const override { return document; }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& record : document.records) {
            names.push_back(record[0].second);
        }
        return names;
    }

    testing::MemoryDocument document;
    std::size_t unsaved = 0;
    bool diskFull = false;
};

RunningSession Noted(std::string name, std::uint32_t durationMs, LocalDateTime noted) {
    RunningSession session;
    session.record.name = std::move(name);
    session.record.duration = std::to_string(durationMs);
    session.record.received = "500000";
    session.record.send = "40000";
    session.record.connspeed = "115200";
    session.record.startsession = "start";
    session.record.endsession = "end at the note";
    session.deviceType = "modem";
    session.deviceName = "USR Courier";
    session.noted = noted;
    return session;
}

constexpr LocalDateTime kNoon{2026, 12, 9, 12, 0, 0, 0};

// The line of Noted("Home ISP", 60 s, noon), read `later` milliseconds after noon.
LiveLine SameLineLater(std::int64_t later) {
    return LiveLine{0x42,
                    "Home ISP",
                    "modem",
                    "USR Courier",
                    static_cast<std::uint32_t>(60'000 + later),
                    600000,
                    50000,
                    AddMilliseconds(kNoon, later)};
}

TEST(SessionJournalDecision, OnlyTheSameLineStillUpContinuesTheNotedSession) {
    const RunningSession noted = Noted("Home ISP", 60'000, kNoon);
    EXPECT_TRUE(ContinuesSession(noted, SameLineLater(0)));
    EXPECT_TRUE(ContinuesSession(noted, SameLineLater(3'600'000)));

    LiveLine line = SameLineLater(90'000);
    line.readAt = AddMilliseconds(line.readAt, 4'000);  // the note lagged a tick behind
    EXPECT_TRUE(ContinuesSession(noted, line));
    // Redialled while the monitor was gone: the line started after the note.
    line.durationMs = 20'000;
    EXPECT_FALSE(ContinuesSession(noted, line));

    line = SameLineLater(90'000);
    line.readAt = AddMilliseconds(line.readAt, 6'000);
    EXPECT_FALSE(ContinuesSession(noted, line));
    line = SameLineLater(90'000);
    line.deviceName = "ISDN";
    EXPECT_FALSE(ContinuesSession(noted, line));
    line = SameLineLater(90'000);
    line.entryName = "Work VPN";
    EXPECT_FALSE(ContinuesSession(noted, line));
    line = SameLineLater(90'000);
    line.bytesSent = 39'999;
    EXPECT_FALSE(ContinuesSession(noted, line));

    // A noted count past 4 GiB says nothing against a wrapped 32-bit reading.
    RunningSession big = noted;
    big.record.received = "6000000000";
    EXPECT_TRUE(ContinuesSession(big, SameLineLater(60'000)));
}

TEST(SessionJournalFile, KeepsEveryTextAndCountAndRefusesOtherFiles) {
    Journal journal;
    journal.running = Noted("Dom\tи\\\"дача\"\r\nline", 4'000'000'000u, {2026, 3, 4, 5, 6, 7, 890});
    journal.running->record.received = "18446744073709551615";
    journal.running->record.averagespeed = "1,50";
    ConnectionInfo kept;
    kept.name = "Kept";
    kept.clientip = "10.0.0.2";
    journal.kept = {kept, kept};

    const std::optional<Journal> back = ParseJournal(FormatJournal(journal));
    ASSERT_TRUE(back && back->running);
    EXPECT_EQ(back->running->record.name, journal.running->record.name);
    EXPECT_EQ(back->running->record.received, "18446744073709551615");
    EXPECT_EQ(back->running->record.averagespeed, "1,50");
    EXPECT_EQ(back->running->noted, journal.running->noted);
    EXPECT_EQ(back->running->deviceName, "USR Courier");
    ASSERT_EQ(back->kept.size(), 2u);
    EXPECT_EQ(back->kept[1].clientip, "10.0.0.2");

    EXPECT_FALSE(ParseJournal("<?xml version=\"1.0\"?><all></all>"));
    EXPECT_FALSE(ParseJournal(""));
}

// The noted moment reads as the C library's "%d-%d-%d %d:%d:%d.%d" scan of a C string reads it,
// with nothing after it; a moment that does not read leaves the default.
TEST(SessionJournalFile, ReadsTheNotedMomentAsTheCLibraryScansIt) {
    const std::string written = FormatJournal(Journal{Noted("ISP", 1000, kNoon), {}});
    const std::size_t value = written.find("noted\t") + 6;
    const std::size_t end = written.find("\r\n", value);
    for (const std::string& text : std::vector<std::string>{
             "2026-03-04 05:06:07.890", " 2026-3-4\t \v5:6:7.8", "+2026--3-+04 -05:06:07.0",
             "-2147483648-1-1 0:0:0.2147483647", "2026-03-04 05:06:07.890 ",
             "2026-03-04T05:06:07.890", "2026-03-04 05:06:07", "2026 -03-04 05:06:07.1",
             "2026-03-04 05:06:07.+-1", "2026-03-04 05:06:07.",
             std::string("1-2-3 4:5:6.7\0x", 15)}) {
        LocalDateTime scanned;
        char tail = 0;
        const bool reads = std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d.%d%c", &scanned.year,
                                       &scanned.month, &scanned.day, &scanned.hour, &scanned.minute,
                                       &scanned.second, &scanned.millisecond, &tail) == 7;
        const auto back = ParseJournal(written.substr(0, value) + text + written.substr(end));
        ASSERT_TRUE(back && back->running) << text;
        EXPECT_EQ(back->running->noted, reads ? scanned : LocalDateTime{}) << text;
    }
}

struct JournalRig {
    MemoryJournalFile file;
    MemoryArchive archive;
    std::optional<RunningSession> running;  // what the monitor has in progress
    std::vector<std::string> reports;
    std::optional<SessionJournal> journal;

    // A start of the program: the journal an earlier run left is read and dealt with.
    void Start(const std::optional<LiveLine>& first) {
        journal.emplace(JournalServices{file, archive, [this] { return running; },
                                        [this](std::string_view t) { reports.emplace_back(t); }});
        journal->Open(kFolder);
        journal->Resume(first, [this](const RunningSession& noted) { running = noted; });
    }
    std::optional<Journal> OnDisk() const {
        const auto bytes = file.Read(kPath);
        return bytes ? ParseJournal(*bytes) : std::nullopt;
    }
};

TEST(SessionJournal, ALineStillUpIsContinuedAndOneGoneIsStoredOnceAsNoted) {
    JournalRig rig;
    rig.Start(std::nullopt);
    rig.running = Noted("Home ISP", 60'000, kNoon);
    rig.journal->SessionStarted();
    rig.journal->Note();  // exit: the line stays up, nothing is stored
    EXPECT_TRUE(rig.archive.document.records.empty());

    rig.running.reset();
    rig.Start(SameLineLater(30'000));
    ASSERT_TRUE(rig.running);  // continued
    EXPECT_TRUE(rig.archive.document.records.empty());
    ASSERT_TRUE(rig.OnDisk() && rig.OnDisk()->running);

    // Killed; the line dropped meanwhile: stored as the journal noted it, then forgotten.
    rig.running.reset();
    LiveLine other = SameLineLater(600'000);
    other.entryName = "Work VPN";
    rig.Start(other);
    EXPECT_FALSE(rig.running);
    ASSERT_EQ(rig.archive.document.records.size(), 1u);
    EXPECT_EQ(rig.archive.document.records[0][9].second, "end at the note");
    EXPECT_FALSE(rig.file.Read(kPath));
    rig.Start(std::nullopt);
    EXPECT_EQ(rig.archive.document.records.size(), 1u);
}

TEST(SessionJournal, SessionsAFailedSaveKeptSurviveAKillAndAreSavedAtAMinuteCheck) {
    JournalRig rig;
    rig.Start(std::nullopt);
    rig.archive.diskFull = true;
    ConnectionInfo first;
    first.name = "First";
    rig.journal->AppendSession(first);
    rig.journal->Note();  // still full
    ASSERT_TRUE(rig.OnDisk());
    ASSERT_EQ(rig.OnDisk()->kept.size(), 1u);

    // Killed while the document held it unsaved; the next run stores it.
    rig.archive = MemoryArchive();
    rig.Start(std::nullopt);
    EXPECT_EQ(rig.archive.Names(), std::vector<std::string>{"First"});
    EXPECT_FALSE(rig.file.Read(kPath));

    // Saved, but killed before the journal let go of it: not stored a second time.
    rig.archive.diskFull = true;
    ConnectionInfo second;
    second.name = "Second";
    rig.journal->AppendSession(second);
    rig.archive.unsaved = 0;
    rig.archive.diskFull = false;
    rig.Start(std::nullopt);
    EXPECT_EQ(rig.archive.Names(), (std::vector<std::string>{"First", "Second"}));

    // Space comes back during the run: the minute check saves and the journal is removed.
    rig.archive.diskFull = true;
    rig.journal->AppendSession(first);
    ASSERT_TRUE(rig.file.Read(kPath));
    rig.archive.diskFull = false;
    rig.journal->Note();
    EXPECT_EQ(rig.archive.unsaved, 0u);
    EXPECT_FALSE(rig.file.Read(kPath));
}

TEST(SessionJournal, AFailedNoteIsToldOnceUntilOneSucceeds) {
    JournalRig rig;
    rig.Start(std::nullopt);
    rig.running = Noted("Home ISP", 60'000, kNoon);
    rig.file.refuse = true;
    rig.journal->Note();
    rig.journal->Note();
    ASSERT_EQ(rig.reports.size(), 1u);
    EXPECT_EQ(rig.reports[0],
              "The running session cannot be noted in " + kPath + ": The disk is full.");
    rig.file.refuse = false;
    rig.journal->Note();
    rig.file.refuse = true;
    rig.journal->Note();
    EXPECT_EQ(rig.reports.size(), 2u);
}

}  // namespace
}  // namespace orv
