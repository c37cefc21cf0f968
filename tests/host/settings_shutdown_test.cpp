#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/exit_sequence.h"
#include "app/monitor_settings.h"
#include "app/shutdown.h"
#include "tests/common/memory_settings_store.h"
#include "tests/common/settings_fakes.h"

namespace orv {
namespace {

using ::testing::ElementsAre;

class ScriptedShutdown : public ShutdownPort {
  public:
    std::optional<PlatformVersion> QueryVersion() override { return version; }
    bool OpenOwnToken() override { return Step("open", failAt != "open"); }
    bool LookupShutdownPrivilege() override { return Step("lookup", failAt != "lookup"); }
    bool EnableShutdownPrivilege() override { return Step("enable", failAt != "enable"); }
    Outcome RequestShutdown(std::uint32_t flags) override {
        steps.push_back("exit " + std::to_string(flags));
        return failAt == "exit" ? Outcome::Failed("Access is denied.") : Outcome::Ok();
    }

    std::optional<PlatformVersion> version = PlatformVersion{2, 5, 1, 2600, "Service Pack 2"};
    std::string failAt;
    std::vector<std::string> steps;

  private:
    bool Step(const char* name, bool ok) {
        steps.push_back(name);
        return ok;
    }
};

TEST(VersionText, NamesThePlatformAndPutsTheBuildOnASecondLine) {
    EXPECT_EQ(FormatVersionText(PlatformVersion{2, 5, 1, 2600, "Service Pack 2"}),
              "Windows NT Version 5.1\r\n (Build 2600: Service Pack 2)");
    EXPECT_EQ(FormatVersionText(PlatformVersion{1, 4, 10, 0xC0000A00u, " A "}),
              "Windows 95 Version 4.10\r\n (Build 3221228032:  A )");
    EXPECT_EQ(FormatVersionText(PlatformVersion{7, 1, 0, 5, ""}), " Version 1.0\r\n (Build 5: )");
    EXPECT_EQ(FormatVersionText(std::nullopt), "");
}

// Shut down (1), forcing only hung programs (0x10): every other program may save its work.
TEST(ShutDownComputer, OnNtEnablesThePrivilegeThenAsksProgramsToClose) {
    ScriptedShutdown platform;
    testing::RecordingBoxes boxes;
    std::vector<std::string> reported;
    auto report = [&reported](std::string_view text) { reported.emplace_back(text); };
    EXPECT_TRUE(ShutDownComputer(platform, boxes, report));
    EXPECT_THAT(platform.steps, ElementsAre("open", "lookup", "enable", "exit 17"));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(reported.empty());

    platform.failAt = "exit";
    EXPECT_FALSE(ShutDownComputer(platform, boxes, report));
    EXPECT_THAT(reported, ElementsAre("The computer was not shut down: Access is denied."));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(ShutDownComputer, OtherPlatformsShutDownWithoutThePrivilegeStep) {
    for (auto version : {std::optional<PlatformVersion>{PlatformVersion{1, 4, 0, 950, ""}},
                         std::optional<PlatformVersion>{}}) {
        ScriptedShutdown platform;
        platform.version = version;
        testing::RecordingBoxes boxes;
        ShutDownComputer(platform, boxes, {});
        EXPECT_THAT(platform.steps, ElementsAre("exit 17"));
    }
}

TEST(ShutDownComputer, AFailedStepNamesItselfAndRequestsNothing) {
    for (auto [step, title] : {std::pair{"open", "OpenProcessToken() Failed"},
                               std::pair{"lookup", "LookupPrivilegeValue() Failed"},
                               std::pair{"enable", "AdjustTokenPrivileges() Failed"}}) {
        ScriptedShutdown platform;
        platform.failAt = step;
        testing::RecordingBoxes boxes;
        EXPECT_FALSE(ShutDownComputer(platform, boxes, {}));
        EXPECT_THAT(boxes.shown, ElementsAre(testing::Box{title, "Exit Error", false}));
        EXPECT_EQ(platform.steps.back(), step);
    }
}

// A store whose every write lands in the same record as the shut-down steps.
class LoggingStore : public MemorySettingsStore {
  public:
    explicit LoggingStore(std::vector<std::string>& log) : log_(log) {}
    Outcome Write(std::string_view name, std::string_view text) override {
        log_.push_back("save " + std::string(name));
        return MemorySettingsStore::Write(name, text);
    }

  private:
    std::vector<std::string>& log_;
};

struct ExitRig {
    ScriptedShutdown platform;
    LoggingStore store{platform.steps};
    testing::FakeSettingsControls controls;
    testing::RecordingBoxes boxes;
    ExitSteps steps{{},
                    [this] { platform.steps.push_back("launch list"); },
                    [this] { platform.steps.push_back("plug-in"); }};

    void Run() { RunExitSequence(controls, store, steps, platform, boxes); }
};

TEST(ExitSequence, ShutsDownOnlyAfterBothSaves) {
    ExitRig rig;
    rig.controls.SetChecked(ids::kShutDown, true);
    rig.Run();

    const auto& log = rig.platform.steps;
    const auto launchList = std::find(log.begin(), log.end(), "launch list");
    const auto firstPlatformStep = std::find(log.begin(), log.end(), "open");
    ASSERT_NE(launchList, log.end());
    ASSERT_NE(firstPlatformStep, log.end());
    // Every setting was written before the launch list, and both before any shut-down step.
    EXPECT_EQ(std::count_if(log.begin(), launchList,
                            [](const std::string& s) { return s.starts_with("save "); }),
              static_cast<long>(SaveOrder().size()));
    EXPECT_LT(launchList, firstPlatformStep);
    EXPECT_THAT(std::vector(firstPlatformStep, log.end()),
                ElementsAre("open", "lookup", "enable", "exit 17"));
    EXPECT_EQ(rig.store.Read("ShutDown"), "1");
}

// The countdown comes after every save and before any shut-down step; its Cancel leaves the
// computer running.
TEST(ExitSequence, TheCountdownFollowsTheSavesAndItsCancelRequestsNothing) {
    struct Countdown final : ShutdownNotice {
        explicit Countdown(std::vector<std::string>& log) : log_(log) {}
        bool CountDown(int seconds) override {
            log_.push_back("countdown " + std::to_string(seconds));
            return goOn;
        }
        bool goOn = false;
        std::vector<std::string>& log_;
    };
    for (const bool goOn : {false, true}) {
        ExitRig rig;
        rig.controls.SetChecked(ids::kShutDown, true);
        Countdown countdown(rig.platform.steps);
        countdown.goOn = goOn;
        RunExitSequence(rig.controls, rig.store, rig.steps, rig.platform, rig.boxes, &countdown);
        const auto& log = rig.platform.steps;
        const auto at = std::find(log.begin(), log.end(), "countdown 10");
        ASSERT_NE(at, log.end());
        EXPECT_EQ(*(at - 1), "plug-in");
        if (goOn) {
            EXPECT_THAT(std::vector(at + 1, log.end()),
                        ElementsAre("open", "lookup", "enable", "exit 17"));
        } else {
            EXPECT_EQ(at + 1, log.end()) << "cancelled: no shut-down step at all";
        }
    }
    EXPECT_EQ(ShutdownNoticeText(7, false),
              "The computer shuts down in 7 s. Programs that do not respond will be closed "
              "without saving.");
}

// The journal comes before anything that may show a box; a refused request is told in a box,
// since the status bar ends with the program.
TEST(ExitSequence, WritesTheJournalFirstAndTellsARefusedShutDown) {
    ExitRig rig;
    rig.steps.writeJournal = [&rig] { rig.platform.steps.push_back("journal"); };
    rig.controls.SetChecked(ids::kShutDown, true);
    rig.platform.failAt = "exit";
    rig.Run();
    EXPECT_EQ(rig.platform.steps.front(), "journal");
    EXPECT_EQ(rig.platform.steps.back(), "exit 17");
    EXPECT_THAT(rig.boxes.shown,
                ElementsAre(testing::Box{
                    "Orvane", "The computer was not shut down: Access is denied.", true}));
}

TEST(ExitSequence, SavesButRequestsNothingWhenTheOptionIsOffOrAStepFails) {
    ExitRig off;
    off.Run();
    EXPECT_THAT(std::vector(off.platform.steps.end() - 2, off.platform.steps.end()),
                ElementsAre("launch list", "plug-in"));
    EXPECT_EQ(off.store.Read("ShutDown"), "0");

    ExitRig refused;
    refused.controls.SetChecked(ids::kShutDown, true);
    refused.platform.failAt = "enable";
    refused.Run();
    EXPECT_EQ(refused.platform.steps.back(), "enable");
    EXPECT_EQ(refused.boxes.shown.size(), 1u);
    EXPECT_EQ(refused.store.Read("BytesRecv"), "0");
}

}  // namespace
}  // namespace orv
