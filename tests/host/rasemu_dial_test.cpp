// Dialing the emulated service: the progress of each attempt, scripted outcomes, hang-up during
// a dial, and the phonebook the dialer works on.

#include <gtest/gtest.h>

#include "rasemu_fakes.h"

namespace orv::rasemu {
namespace {

using test::PlayedScenario;

constexpr std::string_view kPhonebook = R"(
dial-step 0.1
device "Modem One" modem
device "ISDN One" isdn
entry "Home ISP" user alice password "open sesame"
entry "Office" user bob device "ISDN One"
dial "Office" busy busy connect
dial * noanswer connect
create "New line" user carol
rename "Office" "Head office"
session "Office"
    link 64000
    rate 0 100 100 50
)";

// Collects the dial's progress until it ends, stepping the clock by the dial step.
std::vector<DialProgress> PlayDial(PlayedScenario& played, ConnectionHandle handle) {
    std::vector<DialProgress> all;
    for (int step = 0; step < 100; ++step) {
        bool finished = false;
        for (const DialProgress& progress : played.service->TakeDialProgress(handle, finished)) {
            all.push_back(progress);
        }
        if (finished) {
            return all;
        }
        played.clock.Seconds(0.1);
    }
    ADD_FAILURE() << "the dial never ended";
    return all;
}

std::vector<std::uint32_t> States(const std::vector<DialProgress>& progress) {
    std::vector<std::uint32_t> states;
    for (const DialProgress& step : progress) {
        states.push_back(step.state);
    }
    return states;
}

ConnectionHandle StartDial(PlayedScenario& played, const std::string& entryName) {
    DialParams params;
    params.entryName = entryName;
    ConnectionHandle handle = 0;
    EXPECT_EQ(played.service->Dial(params, handle), kRasSuccess);
    EXPECT_NE(handle, 0u);
    return handle;
}

TEST(RasemuDial, BusyTwiceThenConnectedWithTheEntrysSession) {
    PlayedScenario played(kPhonebook);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const ConnectionHandle handle = StartDial(played, "Office");
        const auto progress = PlayDial(played, handle);
        EXPECT_EQ(States(progress), (std::vector<std::uint32_t>{0, 1, 2, 2}));
        EXPECT_EQ(progress.back().error, kRasLineBusy);
        EXPECT_TRUE(played.Listed().empty());
        // The failed dial's handle answers until it is hung up, as the service wants.
        EXPECT_EQ(played.StatusOf(handle).state, kStateDisconnected);
        EXPECT_EQ(played.StatusOf(handle).error, kRasLineBusy);
        EXPECT_EQ(played.service->HandlesNotHungUp().size(), 1u);
        EXPECT_EQ(played.service->HangUp(handle), kRasSuccess);
        EXPECT_EQ(played.service->HangUp(handle), kRasInvalidHandle);
        // Its port is released two seconds later: a dial before then finds it in use.
        DialParams params;
        params.entryName = "Office";
        ConnectionHandle early = 0;
        EXPECT_EQ(played.service->Dial(params, early), 633u);
        EXPECT_EQ(early, 0u);
        played.clock.Seconds(1.9);
        EXPECT_EQ(played.StatusOf(handle).state, kStateDisconnected);
        played.clock.Seconds(0.1);
        EXPECT_EQ(played.StatusResult(handle), kRasInvalidHandle);
    }
    EXPECT_TRUE(played.service->HandlesNotHungUp().empty());
    const ConnectionHandle handle = StartDial(played, "Office");
    // Listed while it dials, in the state it has reached.
    EXPECT_EQ(played.Listed().at(0).entryName, "Office");
    EXPECT_EQ(played.Listed().at(0).deviceType, "isdn");
    const auto progress = PlayDial(played, handle);
    EXPECT_EQ(States(progress),
              (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5, 6, 10, 14, 18, kStateConnected}));
    for (const DialProgress& step : progress) {
        EXPECT_EQ(step.error, kRasSuccess);
    }
    EXPECT_EQ(played.StateOf(handle), kStateConnected);
    played.clock.Seconds(2);
    const ConnectionStatistics statistics = played.StatisticsOf(handle);
    EXPECT_EQ(statistics.linkSpeedBps, 64000u);
    EXPECT_EQ(statistics.bytesReceived, statistics.durationMs / 10);
    EXPECT_GE(statistics.durationMs, 2000u);
    // The outcomes ran out: the last one stays.
    const ConnectionHandle again = StartDial(played, "Office");
    EXPECT_EQ(PlayDial(played, again).back().state, kStateConnected);
}

TEST(RasemuDial, TypedNumbersAreListedAfterADotAndFollowTheAnyTarget) {
    PlayedScenario played(kPhonebook);
    DialParams params;
    ConnectionHandle handle = 0;
    EXPECT_EQ(played.service->Dial(params, handle), kRasInvalidParameter);  // nothing to dial
    params.phoneNumber = "P5550123";
    ASSERT_EQ(played.service->Dial(params, handle), kRasSuccess);
    EXPECT_EQ(played.Listed().at(0).entryName, ".P5550123");
    EXPECT_EQ(PlayDial(played, handle).back().error, kRasNoAnswer);
    ASSERT_EQ(played.service->Dial(params, handle), kRasSuccess);
    EXPECT_EQ(PlayDial(played, handle).back().state, kStateConnected);
}

TEST(RasemuDial, WrongPasswordFailsWhileAuthenticating) {
    PlayedScenario played("entry \"Home\"\ndial \"Home\" denied\n");
    const ConnectionHandle handle = StartDial(played, "Home");
    const auto progress = PlayDial(played, handle);
    EXPECT_EQ(States(progress), (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5, 5}));
    EXPECT_EQ(progress.back().error, kRasAuthenticationFailure);
}

TEST(RasemuDial, HangUpDuringTheDialEndsItsProgress) {
    PlayedScenario played(kPhonebook);
    const ConnectionHandle handle = StartDial(played, "Home ISP");
    played.clock.Seconds(0.25);
    bool finished = true;
    EXPECT_EQ(States(played.service->TakeDialProgress(handle, finished)),
              (std::vector<std::uint32_t>{0, 1, 2}));
    EXPECT_FALSE(finished);

    EXPECT_EQ(played.service->HangUp(handle), kRasSuccess);
    played.clock.Seconds(5);
    // As the service documents: a hang-up ends the notifications; nothing reports it.
    EXPECT_TRUE(played.service->TakeDialProgress(handle, finished).empty());
    EXPECT_TRUE(finished);
    EXPECT_TRUE(played.Listed().empty());
    EXPECT_EQ(played.service->HangUp(handle), kRasInvalidHandle);
}

TEST(RasemuDial, TheLineDroppingDuringTheDialEndsIt) {
    PlayedScenario played(kPhonebook);
    const ConnectionHandle handle = StartDial(played, "Home ISP");
    played.clock.Seconds(0.15);
    EXPECT_EQ(played.service->ApplyControl("drop"), "");
    const auto progress = PlayDial(played, handle);
    EXPECT_EQ(progress.back().error, 628u);
    EXPECT_EQ(States(progress), (std::vector<std::uint32_t>{0, 1, 1}));
}

TEST(RasemuDial, AHungUpLineStaysUntilItsPortIsReleased) {
    PlayedScenario played(std::string(kPhonebook) + "hangup-delay 3\n");
    EXPECT_EQ(played.service->ApplyControl("dial \"Home ISP\" connect"), "");
    const ConnectionHandle handle = StartDial(played, "Home ISP");
    PlayDial(played, handle);
    ASSERT_EQ(played.Listed().size(), 1u);
    EXPECT_EQ(played.service->HangUp(handle), kRasSuccess);
    played.clock.Seconds(2.9);
    ASSERT_EQ(played.Listed().size(), 1u);
    EXPECT_EQ(played.StatusOf(handle).state, kStateDisconnected);
    EXPECT_EQ(played.StatusOf(handle).error, kRasSuccess);
    ConnectionHandle next = 0;
    DialParams params;
    params.phoneNumber = "5550100";  // the same device: the first one
    EXPECT_EQ(played.service->Dial(params, next), 633u);
    params.entryName = "Office";  // another device
    EXPECT_EQ(played.service->Dial(params, next), kRasSuccess);
    played.clock.Seconds(0.1);
    EXPECT_EQ(played.StatusResult(handle), kRasInvalidHandle);
    EXPECT_EQ(played.Listed().size(), 1u);  // Office alone
    EXPECT_EQ(played.service->HangUp(0), kRasInvalidHandle);
}

TEST(RasemuDial, DialingAConnectedEntryGivesItsConnection) {
    PlayedScenario played("entry \"Home\"\nsession \"Home\"\n    at 0\n    states 3 8192\n");
    played.clock.Seconds(0.5);
    const ConnectionHandle dialing = played.Listed().at(0).handle;
    // Still dialing: a dial of its own.
    const ConnectionHandle second = StartDial(played, "Home");
    EXPECT_NE(second, dialing);
    EXPECT_EQ(played.service->HangUp(second), kRasSuccess);

    played.clock.Seconds(2);  // its port is released
    const ConnectionHandle again = StartDial(played, "Home");
    EXPECT_EQ(again, dialing);
    const auto progress = PlayDial(played, again);
    ASSERT_EQ(progress.size(), 1u);
    EXPECT_EQ(progress[0].state, kStateConnected);
    EXPECT_EQ(progress[0].error, kRasSuccess);
    EXPECT_EQ(played.Listed().size(), 1u);
}

TEST(RasemuDial, RefusesAnUnknownEntryAndInjectedFaults) {
    PlayedScenario played(kPhonebook);
    ConnectionHandle handle = 0;
    DialParams params;
    params.entryName = "Nowhere";
    EXPECT_EQ(played.service->Dial(params, handle), kRasCannotFindPhonebookEntry);
    EXPECT_TRUE(played.Listed().empty());
    EXPECT_EQ(played.service->ApplyControl("fault dial 608"), "");
    params.entryName = "Home ISP";
    EXPECT_EQ(played.service->Dial(params, handle), 608u);
}

TEST(RasemuPhonebook, UnscriptedDialogsAskTheUserWhoseAnswerIsSaved) {
    PlayedScenario played(kPhonebook);
    std::optional<EmulatedService::EntryForm> form;
    ASSERT_EQ(played.service->CreateEntry(form), kRasSuccess);  // the scripted "New line"
    EXPECT_FALSE(form);
    ASSERT_EQ(played.service->CreateEntry(form), kRasSuccess);
    ASSERT_TRUE(form);
    EXPECT_EQ(form->entry.name, "");
    EXPECT_EQ(form->deviceNames, (std::vector<std::string>{"Modem One", "ISDN One"}));
    PhonebookEntry typed{"Typed", "555", "erin", "pw", "ISDN One", ""};
    EXPECT_EQ(played.service->SaveEntry("", typed), kRasSuccess);
    EXPECT_EQ(played.service->SaveEntry("", typed), 183u);

    ASSERT_EQ(played.service->EditEntry("Home ISP", form), kRasSuccess);
    ASSERT_TRUE(form);
    EXPECT_EQ(form->entry.userName, "alice");
    form->entry.name = "Home";
    form->entry.password = "new";
    EXPECT_EQ(played.service->SaveEntry("Home ISP", form->entry), 0u);
    EXPECT_EQ(played.service->SaveEntry("Home", {"Typed", "", "", "", "", ""}), 183u);
    std::vector<std::string> names;
    ASSERT_EQ(played.service->EnumEntries(names), kRasSuccess);
    EXPECT_EQ(names, (std::vector<std::string>{"Home", "Office", "New line", "Typed"}));
    DialParams params;
    params.entryName = "Home";
    bool passwordStored = false;
    ASSERT_EQ(played.service->EntryDialParams(params, passwordStored), kRasSuccess);
    EXPECT_EQ(params.password, "new");

    EXPECT_EQ(played.service->ApplyControl("dialogs cancel"), "");
    ASSERT_EQ(played.service->EditEntry("Home", form), kRasSuccess);
    EXPECT_FALSE(form);
}

TEST(RasemuPhonebook, StoredParamsCreateEditAndDelete) {
    PlayedScenario played(kPhonebook);
    DialParams params;
    params.entryName = "Home ISP";
    bool passwordStored = false;
    ASSERT_EQ(played.service->EntryDialParams(params, passwordStored), kRasSuccess);
    EXPECT_EQ(params.userName, "alice");
    EXPECT_EQ(params.password, "open sesame");
    EXPECT_TRUE(passwordStored);
    params.entryName = "Office";
    ASSERT_EQ(played.service->EntryDialParams(params, passwordStored), kRasSuccess);
    EXPECT_FALSE(passwordStored);
    params.entryName = "Gone";
    EXPECT_EQ(played.service->EntryDialParams(params, passwordStored),
              kRasCannotFindPhonebookEntry);

    std::vector<std::string> names;
    EXPECT_EQ(played.service->CreateEntry(), kRasSuccess);
    EXPECT_EQ(played.service->CreateEntry(), kRasSuccess);  // cancelled: nothing left to add
    EXPECT_EQ(played.service->EditEntry("Office"), kRasSuccess);
    EXPECT_EQ(played.service->EditEntry("Office"), kRasCannotFindPhonebookEntry);
    ASSERT_EQ(played.service->EnumEntries(names), kRasSuccess);
    EXPECT_EQ(names, (std::vector<std::string>{"Home ISP", "Head office", "New line"}));

    EXPECT_EQ(played.service->DeleteEntry("Home ISP"), kRasSuccess);
    EXPECT_EQ(played.service->DeleteEntry("Home ISP"), kRasCannotFindPhonebookEntry);
    ASSERT_EQ(played.service->EnumEntries(names), kRasSuccess);
    EXPECT_EQ(names, (std::vector<std::string>{"Head office", "New line"}));

    // Answers of any kind, from the control file; the edit goes to the dialog of its entry.
    EXPECT_EQ(played.service->ApplyControl("edit \"Head office\" user dave password pw"), "");
    EXPECT_EQ(played.service->ApplyControl("cancel create"), "");
    EXPECT_EQ(played.service->ApplyControl("create \"Spare\" phone 1"), "");
    EXPECT_EQ(played.service->CreateEntry(), kRasSuccess);
    EXPECT_EQ(played.service->EditEntry("New line"), kRasSuccess);  // unscripted: unchanged
    EXPECT_EQ(played.service->EditEntry("Head office"), kRasSuccess);
    params.entryName = "Head office";
    ASSERT_EQ(played.service->EntryDialParams(params, passwordStored), kRasSuccess);
    EXPECT_EQ(params.userName, "dave");
    EXPECT_TRUE(passwordStored);
    ASSERT_EQ(played.service->EnumEntries(names), kRasSuccess);
    EXPECT_EQ(names, (std::vector<std::string>{"Head office", "New line"}));
    EXPECT_EQ(played.service->CreateEntry(), kRasSuccess);
    ASSERT_EQ(played.service->EnumEntries(names), kRasSuccess);
    EXPECT_EQ(names.back(), "Spare");

    std::vector<DeviceInfo> devices;
    ASSERT_EQ(played.service->EnumDevices(devices), kRasSuccess);
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[1].name, "ISDN One");
    EXPECT_EQ(devices[1].type, "isdn");
    EXPECT_EQ(played.service->ApplyControl("fault devices 610"), "");
    EXPECT_EQ(played.service->EnumDevices(devices), 610u);
}

}  // namespace
}  // namespace orv::rasemu
