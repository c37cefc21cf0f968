// The Windows connection source against the emulated rasapi32.dll: what the monitor tick reads
// once a second, the phonebook, failures with their codes and texts, and texts that do not fit.

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "monitor/ras_connection_source_win32.h"
#include "tests/common/emulated_ras_scenario.h"
#include "tools/rasemu/entry_dialog_win32.h"

namespace orv {
namespace {

using testing::EmulatedScenario;

std::vector<ActiveConnection> Listed(ConnectionSource& source) {
    std::vector<ActiveConnection> connections;
    EXPECT_EQ(source.EnumConnections(connections), kRasSuccess);
    return connections;
}

TEST(RasConnectionSource, ListsNoOneAndThreeConnections) {
    Win32ConnectionSource source;
    {
        EmulatedScenario none("device \"Modem\" modem\n");
        EXPECT_TRUE(Listed(source).empty());
    }
    {
        EmulatedScenario one(R"(
device "Standard Modem" modem
entry "Home ISP"
session "Home ISP"
    at 0
)");
        const auto listed = Listed(source);
        ASSERT_EQ(listed.size(), 1u);
        EXPECT_NE(listed[0].handle, 0u);
        EXPECT_EQ(listed[0].entryName, "Home ISP");
        EXPECT_EQ(listed[0].deviceType, "modem");
        EXPECT_EQ(listed[0].deviceName, "Standard Modem");
    }
    EmulatedScenario three(R"(
device "Modem" modem
device "Tunnel" vpn
session "A"
    at 0
session "B"
    at 0
    device "Tunnel"
session "C"
    at 0
)");
    const auto listed = Listed(source);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0].entryName, "A");
    EXPECT_EQ(listed[1].deviceType, "vpn");
    EXPECT_EQ(listed[1].deviceName, "Tunnel");
    EXPECT_EQ(listed[2].entryName, "C");
    EXPECT_NE(listed[0].handle, listed[1].handle);
    EXPECT_NE(listed[1].handle, listed[2].handle);
}

TEST(RasConnectionSource, ReadsStateFiguresAndAddressesOfAConnectedLine) {
    EmulatedScenario scenario(R"(
session "Home ISP"
    at 0
    link 49333
    compression 38 12
    client 10.44.17.203
    server 10.44.0.1
    rate 0 1000 1000 500
)");
    Win32ConnectionSource source;
    const auto listed = Listed(source);
    ASSERT_EQ(listed.size(), 1u);
    const ConnectionHandle handle = listed[0].handle;
    Sleep(300);

    std::uint32_t state = 0;
    EXPECT_EQ(source.GetConnectStatus(handle, state), kRasSuccess);
    EXPECT_EQ(state, kStateConnected);
    ConnectionStatistics statistics;
    ASSERT_EQ(source.GetConnectionStatistics(handle, statistics), kRasSuccess);
    EXPECT_GE(statistics.durationMs, 250u);
    EXPECT_LT(statistics.durationMs, 60'000u);
    // 1000 bytes a second received and 500 sent, read at one moment with the duration.
    EXPECT_EQ(statistics.bytesReceived, statistics.durationMs);
    EXPECT_EQ(statistics.bytesSent, statistics.durationMs / 2);
    EXPECT_EQ(statistics.linkSpeedBps, 49333u);
    EXPECT_EQ(statistics.compressionIn, 38u);
    EXPECT_EQ(statistics.compressionOut, 12u);
    IpProjection projection;
    ASSERT_EQ(source.GetProjectionInfo(handle, projection), kRasSuccess);
    EXPECT_EQ(projection.clientIp, "10.44.17.203");
    EXPECT_EQ(projection.serverIp, "10.44.0.1");
}

TEST(RasConnectionSource, SessionsStartedAndDroppedThroughTheControlFile) {
    EmulatedScenario scenario(R"(
entry "Office"
session "Office"
    link 31200
)");
    Win32ConnectionSource source;
    EXPECT_TRUE(Listed(source).empty());
    scenario.Control("start \"Office\"");
    const auto listed = Listed(source);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].entryName, "Office");
    ConnectionStatistics statistics;
    ASSERT_EQ(source.GetConnectionStatistics(listed[0].handle, statistics), kRasSuccess);
    EXPECT_EQ(statistics.linkSpeedBps, 31200u);
    scenario.Control("drop");
    EXPECT_TRUE(Listed(source).empty());
    // Its handle stays, disconnected, until it is hung up.
    std::uint32_t state = 0;
    EXPECT_EQ(source.GetConnectStatus(listed[0].handle, state), kRasSuccess);
    EXPECT_EQ(state, kStateDisconnected);
    EXPECT_EQ(scenario.HandlesNotHungUp(), 1);
    EXPECT_EQ(source.HangUp(listed[0].handle), kRasSuccess);
    EXPECT_EQ(scenario.HandlesNotHungUp(), 0);
}

TEST(RasConnectionSource, EachFailingCallGivesItsCodeAndTheServiceText) {
    EmulatedScenario scenario(R"(
fault enum 603
fault status 668
fault statistics 631
fault projection 730
fault entries 621
fault devices 608
fault dialparams 623
fault hangup 6
fault delete 623
session "Home"
    at 0
)");
    Win32ConnectionSource source;
    std::vector<ActiveConnection> connections;
    std::uint32_t state = 0;
    ConnectionStatistics statistics;
    IpProjection projection;
    std::vector<std::string> entries;
    std::vector<DeviceInfo> devices;
    DialParams params;
    params.entryName = "Home";
    const struct {
        const char* call;
        RasResult result;
        RasResult expected;
        const char* text;
    } cases[] = {
        {"enum", source.EnumConnections(connections), 603, "The buffer is too small."},
        {"status", source.GetConnectStatus(0x10000, state), 668, "The connection dropped."},
        {"statistics", source.GetConnectionStatistics(0x10000, statistics), 631,
         "The port was disconnected by the user."},
        {"projection", source.GetProjectionInfo(0x10000, projection), 730,
         "The IP projection is not complete."},
        {"entries", source.EnumEntries(entries), 621, "Cannot open the phone book file."},
        {"devices", source.EnumDevices(devices), 608, "The device does not exist."},
        {"dial params", source.GetEntryDialParams(params), 623,
         "Cannot find the phone book entry."},
        // A Windows code: the service has no text for it.
        {"hang-up", source.HangUp(0x10000), 6, nullptr},
        {"delete", source.DeleteEntry("Home"), 623, "Cannot find the phone book entry."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.result, c.expected) << c.call;
        for (const std::size_t chars : {kMonitorErrorTextChars, kDialerErrorTextChars}) {
            std::string text;
            EXPECT_EQ(source.GetErrorString(c.result, chars, text),
                      c.text ? kRasSuccess : kRasInvalidParameter)
                << c.call;
            EXPECT_EQ(text, c.text ? c.text : "") << c.call;
        }
    }
}

TEST(RasConnectionSource, ErrorTextsOfTheCodesTheDialerMeets) {
    EmulatedScenario scenario("");
    Win32ConnectionSource source;
    const std::pair<RasResult, const char*> texts[] = {
        {619, "The port was disconnected."},
        {632, "The structure size is incorrect."},
        {676, "The line is busy."},
        {678, "There is no answer."},
        {691, "Access denied because username and/or password is invalid on the domain."},
        {999, "Remote access error 999."},
    };
    for (const auto& [code, expected] : texts) {
        std::string text;
        ASSERT_EQ(source.GetErrorString(code, kDialerErrorTextChars, text), kRasSuccess);
        EXPECT_EQ(text, expected);
    }
    std::string text = "unchanged";
    EXPECT_EQ(source.GetErrorString(691, 20, text), kRasInsufficientBuffer);
    EXPECT_EQ(text, "unchanged");
    scenario.Control("fault errortext 87");
    EXPECT_EQ(source.GetErrorString(619, kDialerErrorTextChars, text), kRasInvalidParameter);
}

TEST(RasConnectionSource, UnknownHandlesAreRefused) {
    EmulatedScenario scenario("");
    Win32ConnectionSource source;
    std::uint32_t state = 0;
    ConnectionStatistics statistics;
    IpProjection projection;
    EXPECT_EQ(source.GetConnectStatus(0x4242, state), kRasInvalidHandle);
    EXPECT_EQ(source.GetConnectionStatistics(0x4242, statistics), kRasInvalidHandle);
    EXPECT_EQ(source.GetConnectionStatistics(0, statistics), 0x80070057u);  // E_INVALIDARG
    EXPECT_EQ(source.GetProjectionInfo(0x4242, projection), kRasInvalidHandle);
    EXPECT_EQ(source.HangUp(0), kRasInvalidHandle);
}

TEST(RasConnectionSource, PhonebookEntriesAndDevices) {
    EmulatedScenario scenario(R"(
device "Standard Modem" modem
device "ISDN Card" isdn
entry "Home ISP" user alice password "open sesame"
entry "Office" user bob
create "New line"
rename "Office" "Head office"
)");
    Win32ConnectionSource source;
    std::vector<std::string> names;
    ASSERT_EQ(source.EnumEntries(names), kRasSuccess);
    EXPECT_EQ(names, (std::vector<std::string>{"Home ISP", "Office"}));
    DialParams params;
    params.entryName = "Home ISP";
    ASSERT_EQ(source.GetEntryDialParams(params), kRasSuccess);
    EXPECT_EQ(params.userName, "alice");
    EXPECT_EQ(params.password, "open sesame");

    EXPECT_EQ(source.CreatePhonebookEntry(nullptr), kRasSuccess);
    EXPECT_EQ(source.EditPhonebookEntry(nullptr, "Office"), kRasSuccess);
    EXPECT_EQ(source.DeleteEntry("Home ISP"), kRasSuccess);
    EXPECT_EQ(source.DeleteEntry("Home ISP"), kRasCannotFindPhonebookEntry);
    ASSERT_EQ(source.EnumEntries(names), kRasSuccess);
    EXPECT_EQ(names, (std::vector<std::string>{"Head office", "New line"}));

    std::vector<DeviceInfo> devices;
    ASSERT_EQ(source.EnumDevices(devices), kRasSuccess);
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].name, "Standard Modem");
    EXPECT_EQ(devices[0].type, "modem");
    EXPECT_EQ(devices[1].type, "isdn");
}

TEST(RasConnectionSource, NoDevicesAndAllOfManyDevicesAndEntries) {
    Win32ConnectionSource source;
    std::vector<DeviceInfo> devices{{"left", "over"}};
    {
        EmulatedScenario none("");
        ASSERT_EQ(source.EnumDevices(devices), kRasSuccess);
        EXPECT_TRUE(devices.empty());
    }
    std::string many;
    for (int device = 0; device < 300; ++device) {
        many += "device \"Modem " + std::to_string(device) + "\" modem\n";
    }
    for (int entry = 0; entry < 150; ++entry) {
        many += "entry \"Line " + std::to_string(entry) + "\"\n";
    }
    EmulatedScenario scenario(many);
    // Both lists are sized from what the service says it needs.
    ASSERT_EQ(source.EnumDevices(devices), kRasSuccess);
    ASSERT_EQ(devices.size(), 300u);
    EXPECT_EQ(devices[299].name, "Modem 299");
    std::vector<std::string> names;
    ASSERT_EQ(source.EnumEntries(names), kRasSuccess);
    ASSERT_EQ(names.size(), 150u);
    EXPECT_EQ(names[149], "Line 149");
}

TEST(RasConnectionSource, TextsTooLongForTheirRecordAreCutComingInAndRefusedGoingOut) {
    const std::string longName(300, 'x');
    EmulatedScenario scenario("entry \"" + longName + "\"\nsession \"" + longName +
                              "\"\n    at 0\n    client 10.0.0.2\n");
    Win32ConnectionSource source;
    std::vector<std::string> names;
    ASSERT_EQ(source.EnumEntries(names), kRasSuccess);
    EXPECT_EQ(names.at(0), std::string(256, 'x'));
    EXPECT_EQ(Listed(source).at(0).entryName, std::string(256, 'x'));

    DialParams params;
    params.entryName = std::string(257, 'x');
    ConnectionHandle handle = 0;
    EXPECT_EQ(source.Dial(
                  params, [](const DialProgress&) {}, handle),
              kRasInvalidParameter);
    EXPECT_EQ(source.GetEntryDialParams(params), kRasInvalidParameter);
    params.entryName.clear();
    params.phoneNumber = std::string(129, '5');
    EXPECT_EQ(source.Dial(
                  params, [](const DialProgress&) {}, handle),
              kRasInvalidParameter);
    params.phoneNumber = "5550123";
    params.password = std::string(257, 'p');
    EXPECT_EQ(source.Dial(
                  params, [](const DialProgress&) {}, handle),
              kRasInvalidParameter);
    EXPECT_EQ(Listed(source).size(), 1u);  // nothing was dialed
}

TEST(RasConnectionSource, TextsCrossInTheAnsiCodePage) {
    // "Café Net" in UTF-8; skipped where the ANSI code page has no é.
    const std::string name = "Caf\xC3\xA9 Net";
    BOOL lost = FALSE;
    char ansi[8];
    WideCharToMultiByte(CP_ACP, 0, L"\u00E9", 1, ansi, sizeof ansi, nullptr, &lost);
    if (lost) {
        GTEST_SKIP() << "the ANSI code page cannot hold the letter";
    }
    EmulatedScenario scenario("entry \"" + name + "\" user \"" + name + "\"\n");
    Win32ConnectionSource source;
    std::vector<std::string> names;
    ASSERT_EQ(source.EnumEntries(names), kRasSuccess);
    EXPECT_EQ(names.at(0), name);
    DialParams params;
    params.entryName = name;
    ASSERT_EQ(source.GetEntryDialParams(params), kRasSuccess);
    EXPECT_EQ(params.userName, name);
    EXPECT_EQ(source.DeleteEntry(name), kRasSuccess);
}

// A person at the emulator's entry dialog captioned `caption`: waits for it, reads what it
// shows into `shown`, types `typed` (name, phone, user, password) and presses `button`.
std::thread PersonAtDialog(std::string caption, std::vector<std::string> typed, int button,
                           std::string& shown) {
    return std::thread([caption = std::move(caption), typed = std::move(typed), button, &shown] {
        // Visible: a modal dialog is shown once its fields are filled, not before.
        HWND dialog = nullptr;
        for (int wait = 0; wait < 500 && dialog == nullptr; ++wait) {
            Sleep(10);
            dialog = FindWindowA("#32770", caption.c_str());
            if (dialog != nullptr && !IsWindowVisible(dialog)) {
                dialog = nullptr;
            }
        }
        if (dialog == nullptr) {
            return;
        }
        const int fields[] = {rasemu::kEntryDialogNameId, rasemu::kEntryDialogPhoneId,
                              rasemu::kEntryDialogUserId, rasemu::kEntryDialogPasswordId};
        char text[300];
        for (std::size_t at = 0; at < typed.size(); ++at) {
            GetDlgItemTextA(dialog, fields[at], text, sizeof text);
            shown += std::string(text) + "|";
            SetDlgItemTextA(dialog, fields[at], typed[at].c_str());
        }
        PostMessageW(dialog, WM_COMMAND, button, 0);
    });
}

TEST(RasConnectionSource, UnscriptedEntryDialogsAskThePersonAndKeepTheAnswer) {
    EmulatedScenario scenario(
        "device \"Modem\" modem\nentry \"Home\" phone 1 user al password x\n");
    scenario.Control("dialogs ask");
    Win32ConnectionSource source;
    std::string shown;
    std::thread person =
        PersonAtDialog(rasemu::kNewEntryCaption, {"Typed", "555", "carol", "pw"}, IDOK, shown);
    EXPECT_EQ(source.CreatePhonebookEntry(nullptr), kRasSuccess);
    person.join();
    EXPECT_EQ(shown, "||||");
    person = PersonAtDialog("Edit \"Home\" (emulated service)", {"Home 2", "2"}, IDOK, shown);
    EXPECT_EQ(source.EditPhonebookEntry(nullptr, "Home"), kRasSuccess);
    person.join();
    EXPECT_EQ(shown, "||||Home|1|");
    person = PersonAtDialog("Edit \"Typed\" (emulated service)", {"Gone"}, IDCANCEL, shown);
    EXPECT_EQ(source.EditPhonebookEntry(nullptr, "Typed"), kRasSuccess);
    person.join();

    std::vector<std::string> names;
    ASSERT_EQ(source.EnumEntries(names), kRasSuccess);
    EXPECT_EQ(names, (std::vector<std::string>{"Home 2", "Typed"}));
    DialParams params;
    params.entryName = "Typed";
    ASSERT_EQ(source.GetEntryDialParams(params), kRasSuccess);
    EXPECT_EQ(params.userName, "carol");
    EXPECT_EQ(params.password, "pw");
    params.entryName = "Home 2";
    ASSERT_EQ(source.GetEntryDialParams(params), kRasSuccess);
    EXPECT_EQ(params.userName, "al");
}

}  // namespace
}  // namespace orv
