// Whole-program tests against the emulated remote-access service: a line that the test brings
// up and drops through the control file reaches the main window's labels, the statistics file
// and the floating window's picture.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "support/orvane_process.h"
#include "tests/common/emulated_ras_scenario.h"

namespace orv::e2e {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// No session appears before the test says `start`; "Home ISP" and "Office" are quiet, so their
// counters stay at the figures they connect with, while "Fast Line" moves 100 MB a second.
constexpr char kScenario[] = R"(device "Test Modem 33600" modem
device "ISDN Adapter" isdn
entry "Home ISP" device "Test Modem 33600"
entry "Office" device "ISDN Adapter"

session "Home ISP"
    link 49333
    compression 38 12
    client 10.44.17.203
    server 10.44.0.1
    bytes 123456 7890

session "Office"
    link 64000
    compression 5 7
    client 192.168.7.20
    server 192.168.7.1
    bytes 2048 1024

session "Fast Line"
    link 1000000000
    rate 0 60 100000000 250000
)";

// The labels the tick writes, by their layout identifiers; the name comes first, so a snapshot
// whose name has changed was read after the whole tick that changed it.
struct Field {
    const char* id;
    const char* what;
};
constexpr Field kFields[] = {
    {"Label20", "name"},           {"Label21", "device type"},   {"Label22", "device name"},
    {"Label11", "link speed"},     {"Label12", "duration"},      {"Label16", "server address"},
    {"Label15", "client address"}, {"Label7", "bytes sent"},     {"Label10", "bytes received"},
    {"Label8", "compression out"}, {"Label9", "compression in"},
};
constexpr std::size_t kNameField = 0;
constexpr std::size_t kDurationField = 4;
constexpr std::size_t kSentField = 7;
constexpr std::size_t kReceivedField = 8;

using Snapshot = std::vector<std::wstring>;  // one text per entry of kFields

Snapshot NoConnection() {
    return {L"No active connections",
            L"Unknown",
            L"Unknown",
            L"0",
            L"0",
            L"0.0.0.0",
            L"0.0.0.0",
            L"0",
            L"0",
            L"0",
            L"0"};
}

// The scenario's figures of each session; the duration is taken as shown, checked apart.
Snapshot HomeIsp(const Snapshot& shown) {
    return {L"Home ISP",
            L"modem",
            L"Test Modem 33600",
            L"49333",
            shown[kDurationField],
            L"10.44.0.1",
            L"10.44.17.203",
            L"7890",
            L"123456",
            L"12",
            L"38"};
}
Snapshot Office(const Snapshot& shown) {
    return {L"Office",
            L"isdn",
            L"ISDN Adapter",
            L"64000",
            shown[kDurationField],
            L"192.168.7.1",
            L"192.168.7.20",
            L"1024",
            L"2048",
            L"7",
            L"5"};
}

// True when the duration label shows a time of 0 to `maxSeconds` seconds.
bool ShowsDurationUpTo(const Snapshot& shown, int maxSeconds) {
    for (int seconds = 0; seconds <= maxSeconds; ++seconds) {
        if (shown[kDurationField] == DurationText(seconds)) {
            return true;
        }
    }
    return false;
}

std::string Describe(const Snapshot& snapshot) {
    std::ostringstream out;
    for (std::size_t index = 0; index < snapshot.size(); ++index) {
        char text[256] = {};
        WideCharToMultiByte(CP_UTF8, 0, snapshot[index].c_str(), -1, text, sizeof(text), nullptr,
                            nullptr);
        out << "\n  " << kFields[index].what << " (" << kFields[index].id << "): \"" << text
            << "\"";
    }
    return out.str();
}

std::string ReadFile(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The attributes of every `connection` element, in file order, each as (name, value) in the
// order the file holds them.
using Attributes = std::vector<std::pair<std::string, std::string>>;
std::vector<Attributes> Connections(const std::string& xml) {
    static const std::regex element(R"(<connection\b([^>]*)/?>)");
    static const std::regex attribute(R"re(([A-Za-z]+)\s*=\s*"([^"]*)")re");
    std::vector<Attributes> found;
    for (auto e = std::sregex_iterator(xml.begin(), xml.end(), element);
         e != std::sregex_iterator(); ++e) {
        const std::string inside = (*e)[1];
        Attributes attributes;
        for (auto a = std::sregex_iterator(inside.begin(), inside.end(), attribute);
             a != std::sregex_iterator(); ++a) {
            attributes.emplace_back((*a)[1], (*a)[2]);
        }
        found.push_back(std::move(attributes));
    }
    return found;
}

std::string Value(const Attributes& attributes, const std::string& name) {
    for (const auto& [key, value] : attributes) {
        if (key == name) {
            return value;
        }
    }
    return "<missing>";
}

long long Number(const std::string& text) {
    return std::strtoll(text.c_str(), nullptr, 10);
}

// The average speed stored with a session, read with the user's decimal separator.
double AverageSpeed(const Attributes& session) {
    wchar_t separator[8] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    std::string text = Value(session, "averagespeed");
    char narrow[8] = {};
    WideCharToMultiByte(CP_UTF8, 0, separator, -1, narrow, sizeof(narrow), nullptr, nullptr);
    if (const auto at = text.find(narrow); at != std::string::npos && *narrow) {
        text.replace(at, std::strlen(narrow), ".");
    }
    return std::strtod(text.c_str(), nullptr);
}

// Kilobytes per second over the whole session, as the stored counters and duration give it.
double ExpectedAverageSpeed(const Attributes& session) {
    const double kilobytes =
        static_cast<double>(Number(Value(session, "received")) + Number(Value(session, "send"))) /
        1024;
    return kilobytes / (static_cast<double>(Number(Value(session, "duration"))) / 1000);
}

std::string LogonName() {
    wchar_t name[256] = {};
    DWORD size = 256;
    GetUserNameW(name, &size);
    char text[512] = {};
    WideCharToMultiByte(CP_UTF8, 0, name, -1, text, sizeof(text), nullptr, nullptr);
    return text;
}

class EmulatedSession : public EmulatedProgramTest {
  protected:
    // Starts the program against the scenario and finds the labels the tick writes.
    void Start() {
        program.emplace(folder);
        floating = program->WaitForFloatingWindow();
        ASSERT_NE(floating, nullptr);
        main = program->MainWindow();
        ASSERT_NE(main, nullptr);
        for (const Field& field : kFields) {
            labels.push_back(PageControl(main, field.id));
            ASSERT_NE(labels.back(), nullptr) << field.id;
        }
    }

    Snapshot Read() const {
        Snapshot snapshot;
        for (HWND label : labels) {
            snapshot.push_back(TextOf(label));
        }
        return snapshot;
    }

    // Polls until `done` holds for a snapshot or the deadline passes; returns the last one.
    template <typename Done>
    Snapshot WaitFor(Done done, std::chrono::milliseconds timeout) const {
        const auto end = Clock::now() + timeout;
        Snapshot snapshot = Read();
        while (!done(snapshot) && Clock::now() < end) {
            std::this_thread::sleep_for(20ms);
            snapshot = Read();
        }
        return snapshot;
    }

    // Brings the line up, waits until the labels show it for at least a second of duration,
    // drops it and waits until the labels are back at their no-connection texts.
    void PlaySession(const char* startCommand, Snapshot (*expected)(const Snapshot&)) {
        const auto shows = [&](const Snapshot& s) { return s == expected(s); };
        scenario.Control(startCommand);
        Snapshot shown = WaitFor(shows, 3s);
        ASSERT_TRUE(shows(shown)) << startCommand << Describe(shown);
        shown = WaitFor(
            [&](const Snapshot& s) { return shows(s) && s[kDurationField] != DurationText(0); },
            3s);
        ASSERT_NE(shown[kDurationField], DurationText(0)) << Describe(shown);
        scenario.Control("drop");
        shown = WaitFor([](const Snapshot& s) { return s == NoConnection(); }, 3s);
        ASSERT_EQ(shown, NoConnection()) << Describe(shown);
    }

    ProgramFolder folder;
    orv::testing::EmulatedScenario scenario{kScenario};
    std::optional<OrvaneProcess> program;
    HWND floating = nullptr;
    HWND main = nullptr;
    std::vector<HWND> labels;
};

TEST_F(EmulatedSession, TheLabelsFollowTheLineUpAndDownTogether) {
    ASSERT_NO_FATAL_FAILURE(Start());
    Snapshot shown = WaitFor([](const Snapshot& s) { return s == NoConnection(); }, 3s);
    ASSERT_EQ(shown, NoConnection()) << "before any connection:" << Describe(shown);

    scenario.Control("start \"Home ISP\"");
    const auto started = Clock::now();
    shown = WaitFor([&](const Snapshot& s) { return s == HomeIsp(s); }, 2s);
    EXPECT_EQ(shown, HomeIsp(shown)) << "2 s after the line came up:" << Describe(shown);
    const int upSeconds = static_cast<int>(
        std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - started).count());
    EXPECT_TRUE(ShowsDurationUpTo(shown, upSeconds + 1))
        << "a duration of at most " << upSeconds + 1 << " s:" << Describe(shown);

    scenario.Control("drop");
    // The first snapshot whose name has changed was read after the tick that saw the line gone.
    shown = WaitFor([](const Snapshot& s) { return s[kNameField] != L"Home ISP"; }, 2s);
    EXPECT_EQ(shown, NoConnection()) << "first snapshot after the drop:" << Describe(shown);
}

TEST_F(EmulatedSession, FirstStartWritesTheEmptyStatisticsFile) {
    ASSERT_EQ(GetFileAttributesW(folder.StatisticsFile().c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ(ReadFile(folder.StatisticsFile()),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              "<!-- Generated by Quillon Orvane. Please Don't edit! -->\r\n"
              "<all>\r\n"
              "</all>\r\n");
}

TEST_F(EmulatedSession, TwoSessionsAreStoredInOrderWithTheirFigures) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const auto begin = Clock::now();
    ASSERT_NO_FATAL_FAILURE(PlaySession("start \"Home ISP\"", HomeIsp));
    const auto firstLasted = Clock::now() - begin;
    ASSERT_EQ(Connections(ReadFile(folder.StatisticsFile())).size(), 1u)
        << ReadFile(folder.StatisticsFile());
    ASSERT_NO_FATAL_FAILURE(PlaySession("start \"Office\"", Office));

    const std::string xml = ReadFile(folder.StatisticsFile());
    const std::vector<Attributes> sessions = Connections(xml);
    ASSERT_EQ(sessions.size(), 2u) << xml;
    const std::vector<std::string> order{"name",         "user",       "duration",    "connspeed",
                                         "received",     "send",       "serverip",    "clientip",
                                         "startsession", "endsession", "averagespeed"};
    for (const Attributes& session : sessions) {
        std::vector<std::string> names;
        for (const auto& attribute : session) {
            names.push_back(attribute.first);
        }
        EXPECT_EQ(names, order) << xml;
        EXPECT_EQ(Value(session, "user"), LogonName());
        EXPECT_FALSE(Value(session, "startsession").empty()) << xml;
        EXPECT_FALSE(Value(session, "endsession").empty()) << xml;
        // Shown with three significant digits, so within half a percent.
        EXPECT_NEAR(AverageSpeed(session), ExpectedAverageSpeed(session),
                    ExpectedAverageSpeed(session) * 0.005)
            << xml;
    }

    const Attributes& home = sessions[0];
    EXPECT_EQ(Value(home, "name"), "Home ISP");
    EXPECT_EQ(Value(home, "connspeed"), "49333");
    EXPECT_EQ(Value(home, "received"), "123456");
    EXPECT_EQ(Value(home, "send"), "7890");
    EXPECT_EQ(Value(home, "serverip"), "10.44.0.1");
    EXPECT_EQ(Value(home, "clientip"), "10.44.17.203");
    // The line was up for at least one second (the label showed it) and no longer than the
    // whole first round took.
    const long long duration = Number(Value(home, "duration"));
    EXPECT_GE(duration, 1000) << xml;
    EXPECT_LE(duration, std::chrono::duration_cast<std::chrono::milliseconds>(firstLasted).count())
        << xml;

    const Attributes& office = sessions[1];
    EXPECT_EQ(Value(office, "name"), "Office");
    EXPECT_EQ(Value(office, "connspeed"), "64000");
    EXPECT_EQ(Value(office, "received"), "2048");
    EXPECT_EQ(Value(office, "send"), "1024");
    EXPECT_EQ(Value(office, "serverip"), "192.168.7.1");
    EXPECT_EQ(Value(office, "clientip"), "192.168.7.20");
    EXPECT_GE(Number(Value(office, "duration")), 1000) << xml;
}

// A minute of 100 MB a second: the service's 32-bit received counter wraps at 43 s, and the
// page and the stored session hold every byte the line moved.
TEST_F(EmulatedSession, AMinutePast4GiBIsShownAndStoredWhole) {
    ASSERT_NO_FATAL_FAILURE(Start());
    // Five scenario seconds a second: 500 MB a tick, far from the 4 GiB a tick could hide.
    scenario.Control("speed 5");
    scenario.Control("start \"Fast Line\"");
    Snapshot shown = WaitFor(
        [](const Snapshot& s) { return s[kReceivedField] == L"6000000000"; }, 40s);
    ASSERT_EQ(shown[kReceivedField], L"6000000000") << Describe(shown);
    EXPECT_EQ(shown[kSentField], L"15000000") << Describe(shown);
    scenario.Control("drop");
    shown = WaitFor([](const Snapshot& s) { return s == NoConnection(); }, 3s);
    ASSERT_EQ(shown, NoConnection()) << Describe(shown);

    const std::string xml = ReadFile(folder.StatisticsFile());
    const std::vector<Attributes> sessions = Connections(xml);
    ASSERT_EQ(sessions.size(), 1u) << xml;
    EXPECT_GT(Number(Value(sessions[0], "received")), 4'294'967'295LL) << xml;
    EXPECT_EQ(Value(sessions[0], "received"), "6000000000") << xml;
    EXPECT_EQ(Value(sessions[0], "send"), "15000000") << xml;
    EXPECT_NEAR(AverageSpeed(sessions[0]), ExpectedAverageSpeed(sessions[0]),
                ExpectedAverageSpeed(sessions[0]) * 0.005)
        << xml;
}

// Pixels that differ between two pictures of the same size.
std::size_t Differing(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    std::size_t count = 0;
    for (std::size_t index = 0; index < a.size() && index < b.size(); ++index) {
        count += a[index] != b[index];
    }
    return count;
}

TEST_F(EmulatedSession, TheFloatingWindowDrawsTheSessionAndReturnsToItsIdlePicture) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(IsWindowVisible(floating));
    // Two idle ticks draw the same picture: what differs later is the session.
    std::this_thread::sleep_for(1200ms);
    const std::vector<std::uint32_t> idle = Picture(floating);
    ASSERT_FALSE(idle.empty()) << "the floating window's pixels could not be read";
    std::this_thread::sleep_for(1200ms);
    ASSERT_EQ(Differing(Picture(floating), idle), 0u) << "the idle picture changes by itself";

    scenario.Control("start \"Home ISP\"");
    const auto end = Clock::now() + 3s;
    std::size_t changed = 0;
    while (changed == 0 && Clock::now() < end) {
        std::this_thread::sleep_for(50ms);
        changed = Differing(Picture(floating), idle);
    }
    EXPECT_GT(changed, 0u) << "the floating window still shows its idle picture 3 s after the "
                              "line came up";

    scenario.Control("drop");
    // The idle drawing fills the whole picture again, bars and all.
    const auto idleAgain = Clock::now() + 3s;
    while (changed != 0 && Clock::now() < idleAgain) {
        std::this_thread::sleep_for(50ms);
        changed = Differing(Picture(floating), idle);
    }
    EXPECT_EQ(changed, 0u) << "pixels still differing from the idle picture 3 s after the drop";
}

// "Выход" as the floating window's menu gives it.
void ChooseExit(HWND floating) {
    PostMessageW(floating, WM_COMMAND, MAKEWPARAM(100, 0), 0);
}

// The program's message box of this caption, null after the timeout.
HWND WaitForBox(DWORD process, const wchar_t* caption, std::chrono::milliseconds timeout) {
    const auto end = Clock::now() + timeout;
    while (Clock::now() < end) {
        for (HWND box : TopLevelWindows(L"#32770", caption)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(box, &owner);
            if (owner == process) {
                return box;
            }
        }
        std::this_thread::sleep_for(50ms);
    }
    return nullptr;
}

// The exit notes the running session instead of storing it, since its line may stay up for the
// next start. A session a failed save kept waits in the journal too, so the exit asks nothing;
// the next start stores both, the noted one as its line is gone.
TEST_F(EmulatedSession, ExitNotesTheRunningSessionAndKeepsWhatAFailedSaveCouldNotWrite) {
    ASSERT_NO_FATAL_FAILURE(Start());
    scenario.Control("start \"Home ISP\"");
    Snapshot shown = WaitFor([](const Snapshot& s) { return s == HomeIsp(s); }, 4s);
    ASSERT_EQ(shown, HomeIsp(shown)) << Describe(shown);
    ASSERT_TRUE(SetFileAttributesW(folder.StatisticsFile().c_str(), FILE_ATTRIBUTE_READONLY));
    scenario.Control("drop");
    const HWND failure = WaitForBox(program->Id(), L"Orvane", 10s);
    ASSERT_NE(failure, nullptr);
    PostMessageW(failure, WM_COMMAND, IDOK, 0);
    scenario.Control("start \"Office\"");
    shown = WaitFor(
        [](const Snapshot& s) { return s == Office(s) && s[kDurationField] != DurationText(0); },
        4s);
    ASSERT_EQ(shown, Office(shown)) << Describe(shown);

    ChooseExit(floating);
    EXPECT_EQ(program->WaitForExit(10s), 0u);
    EXPECT_TRUE(Connections(ReadFile(folder.StatisticsFile())).empty());
    const std::string journal = ReadFile(folder.Path() + L"statistics\\dialstat.journal");
    EXPECT_NE(journal.find("Home ISP"), std::string::npos) << journal;
    EXPECT_NE(journal.find("Office"), std::string::npos) << journal;

    SetFileAttributesW(folder.StatisticsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    scenario.Control("drop");  // applied at the next start's first call
    labels.clear();
    ASSERT_NO_FATAL_FAILURE(Start());
    std::vector<Attributes> sessions;
    for (int i = 0; i < 100 && sessions.size() < 2; ++i) {
        std::this_thread::sleep_for(50ms);
        sessions = Connections(ReadFile(folder.StatisticsFile()));
    }
    ASSERT_EQ(sessions.size(), 2u) << ReadFile(folder.StatisticsFile());
    EXPECT_EQ(Value(sessions[0], "name"), "Home ISP");
    EXPECT_EQ(Value(sessions[1], "name"), "Office");
    EXPECT_GE(Number(Value(sessions[1], "duration")), 1000);
}

// The service is the system's, not the program's: a line stays up while the monitor is closed,
// and the monitor started again shows it with the time it has been up, not as a new line.
TEST_F(EmulatedSession, ALineThatStaysUpIsShownAgainWithItsRunningTimeAfterARestart) {
    ASSERT_NO_FATAL_FAILURE(Start());
    scenario.Control("start \"Home ISP\"");
    Snapshot shown = WaitFor([](const Snapshot& s) { return s == HomeIsp(s); }, 4s);
    ASSERT_EQ(shown, HomeIsp(shown)) << Describe(shown);
    ChooseExit(floating);
    ASSERT_EQ(program->WaitForExit(10s), 0u);
    std::this_thread::sleep_for(3s);

    labels.clear();
    ASSERT_NO_FATAL_FAILURE(Start());
    shown = WaitFor([](const Snapshot& s) { return s == HomeIsp(s); }, 4s);
    ASSERT_EQ(shown, HomeIsp(shown)) << Describe(shown);
    EXPECT_FALSE(ShowsDurationUpTo(shown, 2)) << "the line started anew:" << Describe(shown);
    EXPECT_EQ(scenario.HandlesNotHungUp(), 0) << scenario.HandlesReport();
}
}  // namespace
}  // namespace orv::e2e
