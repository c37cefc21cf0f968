#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/shutdown.h"
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
    void RequestShutdown(std::uint32_t flags) override {
        steps.push_back("exit " + std::to_string(flags));
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

TEST(ShutDownComputer, OnNtEnablesThePrivilegeThenForcesAShutDown) {
    ScriptedShutdown platform;
    testing::RecordingBoxes boxes;
    ShutDownComputer(platform, boxes);
    EXPECT_THAT(platform.steps, ElementsAre("open", "lookup", "enable", "exit 5"));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(ShutDownComputer, OtherPlatformsShutDownWithoutThePrivilegeStep) {
    for (auto version : {std::optional<PlatformVersion>{PlatformVersion{1, 4, 0, 950, ""}},
                         std::optional<PlatformVersion>{}}) {
        ScriptedShutdown platform;
        platform.version = version;
        testing::RecordingBoxes boxes;
        ShutDownComputer(platform, boxes);
        EXPECT_THAT(platform.steps, ElementsAre("exit 5"));
    }
}

TEST(ShutDownComputer, AFailedStepNamesItselfAndRequestsNothing) {
    for (auto [step, title] : {std::pair{"open", "OpenProcessToken() Failed"},
                               std::pair{"lookup", "LookupPrivilegeValue() Failed"},
                               std::pair{"enable", "AdjustTokenPrivileges() Failed"}}) {
        ScriptedShutdown platform;
        platform.failAt = step;
        testing::RecordingBoxes boxes;
        ShutDownComputer(platform, boxes);
        EXPECT_THAT(boxes.shown, ElementsAre(testing::Box{title, "Exit Error", false}));
        EXPECT_EQ(platform.steps.back(), step);
    }
}

}  // namespace
}  // namespace orv
