// The threshold events in the whole program: a duration rule with hang-up ends an emulated
// session at the first minute check past its threshold, the session is stored once, and that
// same check starts the launch list's "after dial" program once.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <string>

#include "support/orvane_process.h"
#include "tests/common/emulated_ras_scenario.h"

namespace orv::e2e {
namespace {

using namespace std::chrono_literals;

// Twenty emulated minutes to a real one: the ten-minute rule holds at the first minute check.
constexpr char kScenario[] = R"(speed 20
device "Test Modem 33600" modem
entry "Home ISP" device "Test Modem 33600"
session "Home ISP"
    link 49333
    bytes 123456 7890
)";

std::string ReadFile(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::wstring& path, const std::string& bytes) {
    std::ofstream(path.c_str(), std::ios::binary) << bytes;
}

class ThresholdEventsProgram : public EmulatedProgramTest {};

TEST_F(ThresholdEventsProgram, DurationRuleHangsUpStoresTheSessionOnceAndStartsAfterDialOnce) {
    testing::EmulatedScenario scenario(kScenario);
    ProgramFolder folder;
    StoreSetting(L"TimeValueToInform", L"10");
    StoreSetting(L"HangUpTime", L"1");
    CopyFileW((ProgramTestFolder() + L"launchprobe.exe").c_str(),
              (folder.Path() + L"launchprobe.exe").c_str(), FALSE);
    const std::string here(folder.Path().begin(), folder.Path().end());  // ASCII temp path
    WriteFile(folder.Path() + L"apptoload.orl",
              "launchprobe.exe\r\n@1\r\n\t" + here +
                  "\r\n\t-after\r\n\tNormal window\r\n\tAfter dial complete\r\n");

    OrvaneProcess program(folder);
    ASSERT_NE(program.WaitForFloatingWindow(), nullptr);
    scenario.Control("start \"Home ISP\"");
    const auto started = std::chrono::steady_clock::now();

    auto stored = [&] {
        const std::string xml = ReadFile(folder.StatisticsFile());
        std::size_t count = 0;
        for (auto at = xml.find("<connection"); at != std::string::npos;
             at = xml.find("<connection", at + 1)) {
            ++count;
        }
        return count;
    };
    while (stored() == 0 && std::chrono::steady_clock::now() - started < 90s) {
        Sleep(500);
    }
    const auto ended = std::chrono::steady_clock::now() - started;
    ASSERT_EQ(stored(), 1u) << "the session was not ended by the rule";
    EXPECT_LT(ended, 75s);
    Sleep(2500);  // a second store or a second start would show by now
    EXPECT_EQ(stored(), 1u);
    const std::string launched = ReadFile(folder.Path() + L"launchprobe.log");
    EXPECT_EQ(std::count(launched.begin(), launched.end(), '\n'), 1) << launched;
    EXPECT_NE(launched.find("-after"), std::string::npos) << launched;
}

}  // namespace
}  // namespace orv::e2e
