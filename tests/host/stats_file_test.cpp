// The statistics file's decisions over a folder in memory: a file held by another program is
// waited for, never set aside or written over, and this run's sessions follow its records.
#include <gtest/gtest.h>

#include "stats/statistics_file.h"
#include "stats/statistics_store.h"
#include "tests/common/dialog_fakes.h"
#include "tests/common/monitor_tick_fakes.h"
#include "tests/host/support/error_prompts.h"
#include "tests/host/support/memory_storage.h"

namespace orv {
namespace {

constexpr const char* kFolder = "C:\\Orvane\\";
const std::string kPath = std::string(kFolder) + "statistics\\dialstat.xml";

class NoCompleteReader final : public XmlRecordReader {
  public:
    Outcome ReadRecords(std::string_view, RecordStore&) override {
        return Outcome::Failed("not well-formed");
    }
};

class NoLogonName final : public LogonName {
  public:
    std::string UserName() const override { return "anna"; }
};

ConnectionInfo Session(std::string name) {
    ConnectionInfo session;
    session.name = std::move(name);
    session.duration = "1000";
    return session;
}

std::string FileOf(std::initializer_list<const char*> names) {
    std::string file(kStatisticsHead);
    for (const char* name : names) {
        file += "<connection name=\"" + std::string(name) + "\"/>\r\n";
    }
    return file + std::string(kStatisticsTail);
}

std::vector<std::string> NamesIn(const StatisticsDocument& document) {
    SessionList list;
    LoadSessionList(document, list);
    std::vector<std::string> names;
    for (std::size_t row = 0; row < list.RowCount(); ++row) {
        names.emplace_back(list.Text(row, kNameColumn));
    }
    return names;
}

class StatisticsFileTest : public ::testing::Test {
  protected:
    std::vector<std::string> Names() const { return NamesIn(document); }
    // What the next start would read from the file.
    std::vector<std::string> NamesOnDisk() {
        StatisticsStore fresh(storage, complete);
        EXPECT_TRUE(fresh.Load(kPath).ok());
        return NamesIn(fresh);
    }
    void Seconds(int count) {
        for (int i = 0; i < count; ++i) {
            file.RetryPendingRead();
        }
    }

    testing::MemoryStorage storage;
    NoCompleteReader complete;
    StatisticsStore document{storage, complete};
    testing::ErrorPrompts prompts;
    testing::RecordingNotices notices;
    NoLogonName logon;
    test::FixedClock clock;
    std::vector<std::string> status;
    StatisticsFile file{document, {storage, prompts, notices, logon, clock,
                                   [this](std::string_view text) { status.emplace_back(text); }}};
};

TEST_F(StatisticsFileTest, AZeroByteFileIsNoSessionsYetAndGetsTheEmptyFileWithoutAWord) {
    storage.files[kPath] = "";
    file.OpenStatistics(kFolder);
    EXPECT_EQ(storage.files[kPath], kEmptyStatisticsFile);
    EXPECT_TRUE(prompts.errors.empty());
    EXPECT_EQ(storage.files.size(), 1u) << "nothing kept aside";
}

TEST_F(StatisticsFileTest, SavesThatKeepFailingShowOneBoxThenTheStatusBarUntilOneSucceeds) {
    file.OpenStatistics(kFolder);
    storage.refuseWrites = true;
    for (int session = 0; session < 3; ++session) {
        file.AppendSession(Session("S" + std::to_string(session)));
    }
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_NE(prompts.errors[0].find("1 session of this run is kept"), std::string::npos);
    ASSERT_EQ(status.size(), 2u);
    EXPECT_NE(status[1].find("3 sessions of this run are kept"), std::string::npos);
    EXPECT_EQ(file.UnsavedSessions(), 3u);

    storage.refuseWrites = false;
    file.AppendSession(Session("S3"));
    EXPECT_EQ(file.UnsavedSessions(), 0u);
    EXPECT_EQ(status.back(), "The statistics are saved to " + kPath + " again.");
    // A new failure after a success is news again.
    storage.refuseWrites = true;
    file.AppendSession(Session("S4"));
    EXPECT_EQ(prompts.errors.size(), 2u);
}

// Held at the start and released while sessions end: told once, without a box; nothing is
// renamed or written over it; the sessions are added after its records before the next save.
TEST_F(StatisticsFileTest, AFileHeldOpenIsWaitedForAndTakesTheSessionsOfTheRunAfterItsOwn) {
    storage.files[kPath] = FileOf({"Old 1", "Old 2"});
    storage.unreadable.insert(kPath);
    file.OpenStatistics(kFolder);
    ASSERT_EQ(notices.told.size(), 1u);
    EXPECT_NE(notices.told[0].find("cannot be read yet (sharing violation)"), std::string::npos)
        << notices.told[0];
    EXPECT_TRUE(file.ReadPending());

    file.AppendSession(Session("During 1"));
    Seconds(20);  // every retry at the start fails as well
    file.AppendSession(Session("During 2"));
    EXPECT_EQ(file.UnsavedSessions(), 2u);
    EXPECT_EQ(notices.told.size(), 1u);
    EXPECT_TRUE(prompts.errors.empty()) << prompts.errors.front();
    EXPECT_TRUE(storage.renames.empty());
    EXPECT_EQ(storage.wholeWrites, 0);

    storage.unreadable.clear();
    file.AppendSession(Session("After"));
    EXPECT_FALSE(file.ReadPending());
    EXPECT_EQ(file.UnsavedSessions(), 0u);
    const std::vector<std::string> all{"Old 1", "Old 2", "During 1", "During 2", "After"};
    EXPECT_EQ(Names(), all);
    EXPECT_EQ(NamesOnDisk(), all);
    EXPECT_EQ(storage.files.size(), 1u);
    EXPECT_TRUE(prompts.errors.empty());
}

// Released soon after the start: a retry of the first seconds reads it and saves what ended.
TEST_F(StatisticsFileTest, ARetryOfTheFirstSecondsReadsTheFileAndSavesTheWaitingSessions) {
    storage.files[kPath] = FileOf({"Old 1", "Old 2"});
    storage.unreadable.insert(kPath);
    file.OpenStatistics(kFolder);
    file.AppendSession(Session("During"));
    const std::size_t revision = file.Revision();
    Seconds(4);
    EXPECT_TRUE(file.ReadPending());
    storage.unreadable.clear();
    Seconds(3);  // the next retry comes at eight seconds
    EXPECT_TRUE(file.ReadPending());
    Seconds(1);
    EXPECT_FALSE(file.ReadPending());
    EXPECT_NE(file.Revision(), revision);
    EXPECT_EQ(NamesOnDisk(), (std::vector<std::string>{"Old 1", "Old 2", "During"}));
    EXPECT_EQ(notices.told.size(), 1u);
}

// A save while it is still held fails and leaves the file as it was; the session waits for the
// next try.
TEST_F(StatisticsFileTest, ASaveWhileTheFileIsHeldLeavesItAloneAndTheSessionWaits) {
    storage.files[kPath] = FileOf({"Old 1"});
    storage.unreadable.insert(kPath);
    file.OpenStatistics(kFolder);
    file.AppendSession(Session("Running"));
    EXPECT_FALSE(file.SaveKeptSessions());
    storage.unreadable.clear();
    EXPECT_EQ(storage.files[kPath], FileOf({"Old 1"}));
    EXPECT_TRUE(file.SaveKeptSessions());
    EXPECT_EQ(NamesOnDisk(), (std::vector<std::string>{"Old 1", "Running"}));
}

// A file cut after its last record is read, the user told without a box, and written whole.
TEST_F(StatisticsFileTest, AFileWithoutItsEndIsReadToldAndWrittenWhole) {
    const std::string whole = FileOf({"Old 1", "Old 2"});
    storage.files[kPath] = whole.substr(0, whole.size() - kStatisticsTail.size());
    file.OpenStatistics(kFolder);
    ASSERT_EQ(notices.told.size(), 1u);
    EXPECT_NE(notices.told[0].find("without its closing </all>"), std::string::npos);
    EXPECT_TRUE(prompts.errors.empty());
    file.AppendSession(Session("New"));
    EXPECT_EQ(storage.wholeWrites, 1);
    EXPECT_TRUE(storage.files[kPath].ends_with(kStatisticsTail));
    EXPECT_EQ(NamesOnDisk(), (std::vector<std::string>{"Old 1", "Old 2", "New"}));
    EXPECT_TRUE(storage.renames.empty());
}

}  // namespace
}  // namespace orv
