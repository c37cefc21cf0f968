// The remote command protocol: what each code does, the companion's phrases, and starting and
// stopping the companion.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/monitor_settings.h"
#include "remote/command_handler.h"
#include "remote/command_phrases.h"
#include "remote/plugin_control.h"
#include "tests/common/memory_settings_store.h"
#include "tests/common/settings_fakes.h"

namespace orv {
namespace {

// Every hook records its name (and the page code) in the order the hooks ran.
RemoteCommandActions Recording(std::vector<std::string>& log) {
    RemoteCommandActions actions;
    auto hook = [&log](const char* name) { return [&log, name] { log.emplace_back(name); }; };
    actions.quit = hook("quit");
    actions.hideFloatingWindow = hook("hide");
    actions.showFloatingWindow = hook("show");
    actions.showPage = [&log](int code) { log.push_back("page " + std::to_string(code)); };
    actions.closeMainWindow = hook("close main");
    actions.writeJournal = hook("journal");
    actions.saveSettings = hook("save settings");
    actions.saveLaunchList = hook("save launch list");
    actions.shutDown = hook("shut down");
    actions.dial = hook("dial");
    actions.hangUp = hook("hang up");
    actions.nextControl = hook("tab");
    return actions;
}

std::vector<std::string> Handle(std::uint32_t code) {
    std::vector<std::string> log;
    EXPECT_TRUE(HandleRemoteCommand(code, Recording(log))) << code;
    return log;
}

TEST(RemoteCommandTable, EveryCodeRunsItsOwnActionAndNothingElse) {
    using Log = std::vector<std::string>;
    EXPECT_EQ(Handle(0), Log{"quit"});
    EXPECT_EQ(Handle(1), Log{"hide"});
    EXPECT_EQ(Handle(2), Log{"show"});
    for (std::uint32_t code = 3; code <= 10; ++code) {
        EXPECT_EQ(Handle(code), Log{"page " + std::to_string(code)});
    }
    EXPECT_EQ(Handle(11), Log{"close main"});
    EXPECT_EQ(Handle(12), (Log{"journal", "save settings", "save launch list", "shut down"}));
    EXPECT_EQ(Handle(13), Log{"dial"});
    EXPECT_EQ(Handle(14), Log{"hang up"});
    EXPECT_EQ(Handle(15), Log{"tab"});
}

TEST(RemoteCommandTable, CodesAbove15AreIgnoredAndUnsetHooksDoNothing) {
    for (std::uint32_t code : {16u, 255u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        std::vector<std::string> log;
        EXPECT_FALSE(HandleRemoteCommand(code, Recording(log))) << code;
        EXPECT_TRUE(log.empty()) << code;
    }
    // The program wires what exists; an unwired hook must not throw.
    for (std::uint32_t code = 0; code <= 15; ++code) {
        EXPECT_TRUE(HandleRemoteCommand(code, RemoteCommandActions{}));
    }
}

std::optional<std::uint32_t> CodeFor(std::string_view text) {
    const auto command = CommandForText(text);
    return command ? std::optional(CodeOf(*command)) : std::nullopt;
}

TEST(CommandPhrases, EachPageWordOpensThePageItNamesAndNoPhraseShutsDown) {
    EXPECT_EQ(CodeFor("exit"), 0u);
    EXPECT_EQ(CodeFor("minimize"), 1u);
    EXPECT_EQ(CodeFor("show"), 2u);
    EXPECT_EQ(CodeFor("information"), 3u);
    EXPECT_EQ(CodeFor("statistics"), 4u);
    EXPECT_EQ(CodeFor("more statistics"), 5u);
    EXPECT_EQ(CodeFor("dial up"), 6u);
    EXPECT_EQ(CodeFor("events"), 7u);
    EXPECT_EQ(CodeFor("options"), 8u);
    EXPECT_EQ(CodeFor("scheduler"), 9u);
    EXPECT_EQ(CodeFor("about"), 10u);
    EXPECT_EQ(CodeFor("close"), 11u);
    EXPECT_EQ(CodeFor("shut down"), 11u);
    for (const CommandPhrase& entry : CommandPhrases()) {
        EXPECT_LE(CodeOf(entry.command), 11u) << entry.phrase;
    }
}

TEST(CommandPhrases, OnlyTheWholeTextMatchesExactlyAndCaseSensitively) {
    for (std::string_view text : {"Show", "show.", " show", "show ", "SHOW", "sho", "shows", "",
                                  "more", "statistics more", "dial", "Exit"}) {
        EXPECT_EQ(CodeFor(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(CommandPhrases, TextOf100BytesOrMoreIsSkippedNeverCut) {
    // 99 bytes are still a command text; this one matches no phrase.
    EXPECT_EQ(CodeFor(std::string(99, 'x')), std::nullopt);
    // A phrase followed by padding up to and past the buffer never matches as the phrase.
    for (std::size_t size : {99u, 100u, 101u, 4096u}) {
        std::string text = "exit";
        text.resize(size, ' ');
        EXPECT_EQ(CodeFor(text), std::nullopt) << size;
        text = "exit";
        text.resize(size, '\0');
        EXPECT_EQ(CodeFor(text), std::nullopt) << size;
    }
}

class FakePluginPlatform : public PluginPlatform {
  public:
    bool FileExists(const std::string& path) const override {
        checked.push_back(path);
        return fileThere;
    }
    PluginLaunch OpenHidden(const std::string& path) override {
        opened.push_back(path);
        kept = launch.error == 0;
        return launch;
    }
    std::optional<std::uint32_t> StartedExitCode() override {
        return kept ? exitCode : std::nullopt;
    }
    void ForgetStarted() override { kept = false; }
    bool PostCloseToPlugin() override {
        ++closeRequests;
        return windowThere;
    }
    bool fileThere = true;
    bool windowThere = true;
    PluginLaunch launch;
    std::optional<std::uint32_t> exitCode;  // of the started process, once it has ended
    bool kept = false;
    mutable std::vector<std::string> checked;
    std::vector<std::string> opened;
    int closeRequests = 0;
};

class PluginControlTest : public ::testing::Test {
  protected:
    PluginControlView View() {
        return {[this](std::string_view text) { status.emplace_back(text); },
                [this] { ++switchedOff; }};
    }
    FakePluginPlatform platform;
    std::vector<std::string> status;
    int switchedOff = 0;
    PluginControl control{platform, View()};
};

TEST_F(PluginControlTest, StartOpensTheFileOfThePluginsFolderOrReportsItMissing) {
    control.StartPlugin("C:\\Orvane\\");
    EXPECT_EQ(platform.checked, std::vector<std::string>{"C:\\Orvane\\plugins\\talvex.exe"});
    EXPECT_EQ(platform.opened, platform.checked);
    EXPECT_EQ(status, std::vector<std::string>{"Speech Plug-in is successfully loaded"});
    EXPECT_EQ(switchedOff, 0);

    platform.fileThere = false;
    status.clear();
    control.StartPlugin("C:\\Orvane\\");
    EXPECT_EQ(platform.opened.size(), 1u);
    EXPECT_EQ(status,
              std::vector<std::string>{"Plug-in has not been loaded. No Plug-in was found"});
    EXPECT_EQ(switchedOff, 1);
    EXPECT_EQ(platform.closeRequests, 0);
}

// A start the shell refused is never "successfully loaded": the switch goes off with the reason.
TEST_F(PluginControlTest, ARefusedStartSaysWhyAndTurnsTheSwitchOff) {
    const struct {
        std::uint32_t error;
        const char* text;
    } kRefusals[] = {
        {5, "Plug-in has not been loaded. Access to plugins\\talvex.exe is denied"},
        {4551,
         "Plug-in has not been loaded. The system's application control blocked "
         "plugins\\talvex.exe"},
        {2, "Plug-in has not been loaded. No Plug-in was found"},
        {1155, "Plug-in has not been loaded. No application is associated."},
    };
    for (const auto& [error, text] : kRefusals) {
        platform.launch = {error, "No application is associated."};
        status.clear();
        control.StartPlugin("C:\\O\\");
        EXPECT_EQ(status, std::vector<std::string>{text}) << error;
    }
    EXPECT_EQ(switchedOff, 4);
    control.WatchStep();
    EXPECT_EQ(switchedOff, 4);
}

// A companion whose set-up failed ends with its reason as exit code; within the first watch
// steps that turns the switch off. A normal end, or one after the watch, says nothing.
TEST_F(PluginControlTest, AnEarlyFailedExitTurnsTheSwitchOffWithItsReason) {
    control.StartPlugin("C:\\O\\");
    control.WatchStep();
    platform.exitCode = static_cast<std::uint32_t>(PluginExit::ActivationRefused);
    control.WatchStep();
    EXPECT_EQ(status.back(), "Speech Plug-in has stopped: the speech recogniser refused to listen");
    EXPECT_EQ(switchedOff, 1);
    EXPECT_EQ(PluginExitText(99), "Speech Plug-in has stopped: exit code 99");

    platform.exitCode = 0;
    control.StartPlugin("C:\\O\\");
    control.WatchStep();
    EXPECT_EQ(status.back(), "Speech Plug-in is successfully loaded");

    platform.exitCode.reset();
    control.StartPlugin("C:\\O\\");
    for (int step = 0; step < kPluginWatchSteps; ++step) {
        control.WatchStep();
    }
    platform.exitCode = static_cast<std::uint32_t>(PluginExit::NoAudioInput);
    control.WatchStep();
    EXPECT_EQ(switchedOff, 1);
    EXPECT_EQ(status.back(), "Speech Plug-in is successfully loaded");
}

TEST_F(PluginControlTest, StopAndCloseAskTheWindowToCloseOnlyStopReports) {
    control.StopPlugin();
    platform.windowThere = false;
    control.StopPlugin();
    EXPECT_EQ(status, (std::vector<std::string>{"Speech Plug-in is successfully unloaded",
                                                "Can't Load/Unload Plug-in."}));
    control.ClosePlugin();
    EXPECT_EQ(platform.closeRequests, 3);
    EXPECT_EQ(status.size(), 2u);
    EXPECT_EQ(switchedOff, 0);
}

// "Голос. управл." stored on starts the companion while the settings load; with its file
// missing the switch ends off, so the next save stores it off.
TEST_F(PluginControlTest, StoredSpeechSwitchStartsThePluginAndAMissingFileSavesItOff) {
    MemorySettingsStore store;
    store.Write("SpeechPlugin", "1");
    for (const bool fileThere : {true, false}) {
        platform.fileThere = fileThere;
        testing::SettingsRig rig;
        PluginControl plugin{platform,
                             {[this](std::string_view text) { status.emplace_back(text); },
                              [&rig] { rig.controls.SetChecked(ids::kSpeechPlugin, false); }}};
        SettingsReactions reactions{rig.controls,
                                    {rig.boxes, rig.dialogs, rig.floating, rig.autorun, rig.colours,
                                     rig.system, [&](bool on) {
                                         on ? plugin.StartPlugin("C:\\O\\") : plugin.StopPlugin();
                                     }}};
        LoadSettings(store, rig.controls, reactions);
        MemorySettingsStore saved;
        SaveSettings(rig.controls, saved, rig.boxes);
        EXPECT_EQ(saved.Read("SpeechPlugin"), fileThere ? "1" : "0");
    }
    EXPECT_EQ(platform.opened, std::vector<std::string>{"C:\\O\\plugins\\talvex.exe"});
    EXPECT_EQ(status,
              (std::vector<std::string>{"Speech Plug-in is successfully loaded",
                                        "Plug-in has not been loaded. No Plug-in was found"}));
    EXPECT_EQ(platform.closeRequests, 0);
}

}  // namespace
}  // namespace orv
