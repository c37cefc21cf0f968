// Whole-program test of the dial page against the emulated service: dialed from the page, the
// line is taken over by the tick; a hang-up and a dial over a connected line each store the
// session that ended, once; a traffic rule that hangs up leaves a slow dial and a dropped line
// alone.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <string>
#include <thread>

#include "support/orvane_process.h"
#include "tests/common/emulated_ras_scenario.h"

namespace orv::e2e {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr char kScenario[] = R"(dial-step 0.05
device "Test Modem 33600" modem
entry "Home ISP" device "Test Modem 33600" user alice password secret
session "Home ISP"
    link 49333
    client 10.44.17.203
    server 10.44.0.1
    bytes 123456 7890
)";

std::string ReadFile(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The durations (ms) of the stored sessions of "Home ISP", in file order; -1 for another name.
std::vector<long long> StoredDurations(const std::string& xml) {
    static const std::regex element(R"(<connection\b([^>]*)/?>)");
    static const std::regex name(R"re(\bname="([^"]*)")re");
    static const std::regex duration(R"re(\bduration="([0-9]+)")re");
    std::vector<long long> found;
    for (auto e = std::sregex_iterator(xml.begin(), xml.end(), element);
         e != std::sregex_iterator(); ++e) {
        const std::string inside = (*e)[1];
        std::smatch n;
        std::smatch d;
        const bool home = std::regex_search(inside, n, name) && n[1] == "Home ISP";
        found.push_back(home && std::regex_search(inside, d, duration) ? std::stoll(d[1]) : -1);
    }
    return found;
}

class DialFromThePage : public EmulatedProgramTest {
  protected:
    void Start() {
        program.emplace(folder);
        ASSERT_NE(program->WaitForFloatingWindow(), nullptr);
        main = program->MainWindow();
        ASSERT_NE(main, nullptr);
        const auto bars = ChildWindows(main, STATUSCLASSNAMEW);
        ASSERT_EQ(bars.size(), 1u);
        statusBar = bars[0];
    }
    void Press(std::string_view id) {
        HWND button = PageControl(main, id);
        ASSERT_NE(button, nullptr) << id;
        SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    }
    std::wstring Text(std::string_view id) const { return TextOf(PageControl(main, id)); }
    template <typename Done>
    bool WaitUntil(Done done, std::chrono::milliseconds timeout) const {
        const auto end = Clock::now() + timeout;
        while (!done()) {
            if (Clock::now() >= end) {
                return false;
            }
            std::this_thread::sleep_for(20ms);
        }
        return true;
    }
    // Dialed from the page: connected, then the tick shows the new line from a duration of 0
    // until it has been up for a second.
    void DialAndWaitForTheTick() {
        ASSERT_NO_FATAL_FAILURE(Press("BitBtn1"));
        ASSERT_TRUE(WaitUntil([&] { return TextOf(statusBar) == L"Connected"; }, 5s))
            << "status: " << ::testing::PrintToString(TextOf(statusBar));
        ASSERT_TRUE(WaitUntil([&] { return Text("Label12") == DurationText(0); }, 3s));
        ASSERT_TRUE(WaitUntil([&] { return Text("Label12") != DurationText(0); }, 3s));
        EXPECT_EQ(Text("Label20"), L"Home ISP");
    }

    ProgramFolder folder;
    orv::testing::EmulatedScenario scenario{kScenario};
    std::optional<OrvaneProcess> program;
    HWND main = nullptr;
    HWND statusBar = nullptr;
};

TEST_F(DialFromThePage, HangUpAndDialOverAConnectedLineStoreEachSessionOnce) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitUntil([&] { return Text("ComboBox1") == L"Home ISP"; }, 3s));
    const auto began = Clock::now();

    ASSERT_NO_FATAL_FAILURE(DialAndWaitForTheTick());
    ASSERT_NO_FATAL_FAILURE(Press("BitBtn2"));
    EXPECT_EQ(TextOf(statusBar), L"Прервано пользователем...");
    ASSERT_TRUE(WaitUntil([&] { return Text("Label20") == L"No active connections"; }, 3s));
    EXPECT_EQ(StoredDurations(ReadFile(folder.StatisticsFile())).size(), 1u);

    // Dial again, and once more while that line is up: the dial hangs it up first.
    ASSERT_NO_FATAL_FAILURE(DialAndWaitForTheTick());
    ASSERT_NO_FATAL_FAILURE(DialAndWaitForTheTick());
    ASSERT_TRUE(WaitUntil(
        [&] { return StoredDurations(ReadFile(folder.StatisticsFile())).size() >= 2; }, 3s));
    ASSERT_NO_FATAL_FAILURE(Press("BitBtn2"));
    ASSERT_TRUE(WaitUntil([&] { return Text("Label20") == L"No active connections"; }, 3s));
    std::this_thread::sleep_for(1500ms);  // later ticks must store nothing more

    const std::string xml = ReadFile(folder.StatisticsFile());
    const std::vector<long long> durations = StoredDurations(xml);
    ASSERT_EQ(durations.size(), 3u) << xml;
    const auto ranMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - began).count();
    for (const long long duration : durations) {
        // Each line was shown up for over a second; none carries another's time on top.
        EXPECT_GE(duration, 1000) << xml;
        EXPECT_LT(duration, ranMs / 2) << xml;
    }
}

// The traffic rule holds for any line with little traffic; with hang-up it must still only end
// a running session: not the dial under way at the first minute check, nor a line that dropped
// before the second.
TEST_F(DialFromThePage, TrafficRuleWithHangUpSparesASlowDialAndADroppedLine) {
    StoreSetting(L"TrafficValueToInform", L"100");
    StoreSetting(L"HangUpTraffic", L"1");
    ASSERT_NO_FATAL_FAILURE(Start());
    const auto started = Clock::now();
    ASSERT_TRUE(WaitUntil([&] { return Text("ComboBox1") == L"Home ISP"; }, 3s));
    scenario.Control("speed 0.008");  // the dial's 11 steps take about 70 s
    ASSERT_NO_FATAL_FAILURE(Press("BitBtn1"));
    std::vector<std::wstring> seen;
    const auto watch = [&](auto done, std::chrono::seconds timeout) {
        return WaitUntil(
            [&] {
                const std::wstring text = TextOf(statusBar);
                if (seen.empty() || seen.back() != text) {
                    seen.push_back(text);
                }
                return done(text);
            },
            timeout);
    };
    ASSERT_TRUE(watch([](const std::wstring& text) { return text == L"Connected"; }, 110s))
        << ::testing::PrintToString(seen);
    ASSERT_GT(Clock::now() - started, 62s) << "the first minute check did not fall in the dial";
    scenario.Control("speed 1");
    // The tick has taken the line over (a session to store) before it drops.
    ASSERT_TRUE(WaitUntil([&] { return Text("Label12") != DurationText(0); }, 5s));
    scenario.Control("drop");
    ASSERT_TRUE(WaitUntil([&] { return Text("Label20") == L"No active connections"; }, 3s));
    watch([](const std::wstring&) { return false; },
          std::chrono::duration_cast<std::chrono::seconds>(started + 125s - Clock::now()));
    for (const std::wstring& text : seen) {
        EXPECT_EQ(text.find(L"rule"), std::wstring::npos) << ::testing::PrintToString(seen);
        EXPECT_EQ(text.find(L"правилом"), std::wstring::npos) << ::testing::PrintToString(seen);
        EXPECT_NE(text, L"Прервано пользователем...");
    }
    EXPECT_EQ(StoredDurations(ReadFile(folder.StatisticsFile())).size(), 1u);
}

}  // namespace
}  // namespace orv::e2e
