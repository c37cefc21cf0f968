// A process killed in the middle of saving must leave a statistics file that parses and holds
// every session saved before. The child is this test program, running the disabled test below.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <random>

#include "base/win32/resources.h"
#include "stats/com_text_win32.h"
#include "stats/file_storage_win32.h"
#include "stats/msxml_reader_win32.h"
#include "stats/statistics_file.h"
#include "stats_test_folder.h"
#include "tests/common/dialog_fakes.h"

namespace orv {
namespace {

constexpr const char* kChildFolderVariable = "ORV_STATS_SAVE_LOOP_FOLDER";

ConnectionInfo LargeSession(int number) {
    ConnectionInfo session;
    session.name = "Session number " + std::to_string(number);
    session.duration = "3600000";
    session.received = "123456789";
    session.send = "98765432";
    session.startsession = "12/8/2026 6:00:00 PM";
    session.endsession = "12/8/2026 7:00:00 PM";
    session.averagespeed = "12.34";
    return session;
}

std::size_t SessionsOnDisk(const std::string& path, bool& parsed) {
    Win32FileStorage storage;
    MsxmlRecordReader reader;
    StatisticsStore document(storage, reader);
    parsed = document.Load(path).ok();
    SessionList list;
    LoadSessionList(document, list);
    return list.RowCount();
}

PROCESS_INFORMATION StartSavingChild(const std::string& folder) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    SetEnvironmentVariableW(Widen(kChildFolderVariable).c_str(), Widen(folder).c_str());
    std::wstring command = L"\"" + std::wstring(self) +
                           L"\" --gtest_also_run_disabled_tests "
                           L"--gtest_filter=StatsSaveLoopChild.DISABLED_AppendsForever";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                   &process);
    SetEnvironmentVariableW(Widen(kChildFolderVariable).c_str(), nullptr);
    return process;
}

TEST(StatsKilledSave, FileStillParsesAfterEveryKill) {
    testing::TempProgramFolder folder;
    const std::string path = folder.StatisticsFile();
    {
        // A file of a few megabytes, so that a save takes long enough to be interrupted.
        Win32FileStorage storage;
        MsxmlRecordReader reader;
        StatisticsStore document(storage, reader);
        for (int i = 0; i < 15000; ++i) {
            const ConnectionInfo s = LargeSession(i);
            const NamedText attributes[] = {{"name", s.name},
                                            {"user", "tester"},
                                            {"duration", s.duration},
                                            {"received", s.received}};
            ASSERT_TRUE(document.AppendRecord(attributes).ok());
        }
        ASSERT_TRUE(document.Save(path).ok());
    }
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> delay(150, 600);
    std::size_t before = 15000;
    for (int round = 0; round < 6; ++round) {
        const PROCESS_INFORMATION child = StartSavingChild(folder.Path());
        const UniqueHandle process(child.hProcess);
        const UniqueHandle thread(child.hThread);
        ASSERT_TRUE(process);
        Sleep(static_cast<DWORD>(delay(random)));
        TerminateProcess(process.Get(), 9);
        WaitForSingleObject(process.Get(), 5000);

        bool parsed = false;
        const std::size_t sessions = SessionsOnDisk(path, parsed);
        ASSERT_TRUE(parsed) << "round " << round;
        EXPECT_GE(sessions, before) << "round " << round;
        before = sessions;
    }
    EXPECT_GT(before, 15000u) << "the child never finished a save";
}

class SilentPrompts final : public UserPrompts {
  public:
    bool AskYesNo(std::string_view) override { return false; }
    void ReportError(std::string_view) override { std::abort(); }
};

TEST(StatsSaveLoopChild, DISABLED_AppendsForever) {
    const char* folder = std::getenv(kChildFolderVariable);
    ASSERT_NE(folder, nullptr);
    Win32FileStorage storage;
    MsxmlRecordReader reader;
    StatisticsStore document(storage, reader);
    SilentPrompts prompts;
    testing::RecordingNotices notices;
    testing::FixedLogonName logon;
    testing::FixedClock clock;
    StatisticsFile file(document, {storage, prompts, notices, logon, clock});
    file.OpenStatistics(folder);
    for (int i = 0;; ++i) {
        file.AppendSession(LargeSession(i));
    }
}

}  // namespace
}  // namespace orv
