// Whole-program tests of the running session's journal against the shared emulated service,
// whose lines outlive the programs: a session is stored once whether the monitor is closed and
// started again while its line stays up, or killed while the line drops.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "support/orvane_process.h"
#include "tests/common/emulated_ras_scenario.h"

namespace orv::e2e {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr char kQuietLine[] = R"(device "Test Modem 33600" modem
entry "Home ISP" device "Test Modem 33600"
session "Home ISP"
    link 49333
    client 10.44.17.203
    server 10.44.0.1
    bytes 5000 300
    rate 0 100000 1000 100
)";

struct Stored {
    long long duration = 0;
    long long received = 0;
    long long sent = 0;
};

std::string ReadFile(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

long long Attribute(const std::string& element, const char* name) {
    const std::regex value(std::string(" ") + name + "=\"([0-9]*)\"");
    std::smatch match;
    return std::regex_search(element, match, value) ? std::stoll("0" + match[1].str()) : -1;
}

std::vector<Stored> StoredSessions(const std::wstring& path) {
    const std::string xml = ReadFile(path);
    static const std::regex element(R"(<connection\b[^>]*>)");
    std::vector<Stored> found;
    for (auto e = std::sregex_iterator(xml.begin(), xml.end(), element);
         e != std::sregex_iterator(); ++e) {
        const std::string text = e->str();
        found.push_back(
            {Attribute(text, "duration"), Attribute(text, "received"), Attribute(text, "send")});
    }
    return found;
}

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

class SessionJournalTest : public EmulatedProgramTest {
  protected:
    // Starts a monitor and waits until its tick shows the line; the moment it did.
    Clock::time_point StartAndSeeTheLine(std::optional<OrvaneProcess>& program) {
        program.emplace(folder);
        EXPECT_NE(program->WaitForFloatingWindow(), nullptr);
        HWND name = PageControl(program->MainWindow(), "Label20");
        EXPECT_NE(name, nullptr);
        for (int i = 0; i < 300 && TextOf(name) != L"Home ISP"; ++i) {
            std::this_thread::sleep_for(50ms);
        }
        EXPECT_EQ(TextOf(name), L"Home ISP");
        return Clock::now();
    }
    std::vector<Stored> WaitForSessions(std::size_t count) const {
        std::vector<Stored> sessions;
        for (int i = 0;
             i < 200 && (sessions = StoredSessions(folder.StatisticsFile())).size() < count; ++i) {
            std::this_thread::sleep_for(50ms);
        }
        return sessions;
    }
    std::wstring Journal() const { return folder.Path() + L"statistics\\dialstat.journal"; }

    ProgramFolder folder;
};

// Closed and started again while the line stays up: one record, of the line's whole length and
// traffic, instead of one at the close and another with the full figures at the end.
TEST_F(SessionJournalTest, ClosedAndStartedAgainWhileTheLineStaysUpStoresItOnce) {
    testing::EmulatedScenario scenario(kQuietLine);
    scenario.Control("start \"Home ISP\"");
    const Clock::time_point before = Clock::now();
    std::optional<OrvaneProcess> program;
    const Clock::time_point seen = StartAndSeeTheLine(program);
    std::this_thread::sleep_for(8s);
    PostMessageW(program->WaitForFloatingWindow(), WM_CLOSE, 0, 0);
    ASSERT_EQ(program->WaitForExit(15s), 0u);
    EXPECT_TRUE(StoredSessions(folder.StatisticsFile()).empty());
    std::this_thread::sleep_for(3s);

    StartAndSeeTheLine(program);
    std::this_thread::sleep_for(3s);
    const Clock::time_point dropped = Clock::now();
    scenario.Control("drop");
    const std::vector<Stored> sessions = WaitForSessions(1);
    std::this_thread::sleep_for(1500ms);  // time for a second record, which must not come
    ASSERT_EQ(StoredSessions(folder.StatisticsFile()).size(), 1u)
        << ReadFile(folder.StatisticsFile());

    // The line ran from between `before` and `seen` until within a tick after `dropped`.
    const double stored = sessions[0].duration / 1000.0;
    EXPECT_GE(stored, Seconds(dropped - seen) - 1) << ReadFile(folder.StatisticsFile());
    EXPECT_LE(stored, Seconds(dropped - before) + 2) << ReadFile(folder.StatisticsFile());
    // 1000 and 100 bytes a second from 5000 and 300: what the service moved until the drop.
    EXPECT_NEAR(sessions[0].received, 5000 + stored * 1000, 1500);
    EXPECT_NEAR(sessions[0].sent, 300 + stored * 100, 150);
    program->Kill();
    EXPECT_EQ(GetFileAttributesW(Journal().c_str()), INVALID_FILE_ATTRIBUTES);
}

// Killed after more than a minute of a session; the line drops while no monitor runs. The next
// start stores the session as the last minute check noted it.
TEST_F(SessionJournalTest, KilledThenTheLineDropsTheNextStartStoresTheNotedSessionOnce) {
    testing::EmulatedScenario scenario(std::string(kQuietLine) + "    drop 80\n");
    scenario.Control("start \"Home ISP\"");
    std::optional<OrvaneProcess> program;
    StartAndSeeTheLine(program);
    std::this_thread::sleep_for(68s);  // past the first minute check, before the drop at 80 s
    program->Kill();
    EXPECT_TRUE(StoredSessions(folder.StatisticsFile()).empty());
    std::this_thread::sleep_for(14s);

    program.emplace(folder);
    ASSERT_NE(program->WaitForFloatingWindow(), nullptr);
    const std::vector<Stored> sessions = WaitForSessions(1);
    std::this_thread::sleep_for(2s);
    ASSERT_EQ(StoredSessions(folder.StatisticsFile()).size(), 1u)
        << ReadFile(folder.StatisticsFile());
    const double stored = sessions[0].duration / 1000.0;
    EXPECT_GE(stored, 80 - 60 - 2) << ReadFile(folder.StatisticsFile());
    EXPECT_LE(stored, 80 + 1) << ReadFile(folder.StatisticsFile());
    EXPECT_NEAR(sessions[0].received, 5000 + stored * 1000, 1500);
    EXPECT_EQ(GetFileAttributesW(Journal().c_str()), INVALID_FILE_ATTRIBUTES);
    PostMessageW(program->WaitForFloatingWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program->WaitForExit(15s), 0u);
    EXPECT_EQ(StoredSessions(folder.StatisticsFile()).size(), 1u);
}

}  // namespace
}  // namespace orv::e2e
