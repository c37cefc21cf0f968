// The settings page's real controls with their reactions, in-process under Wine: "Автозагрузка"
// over Run keys of a test key of its own (the machine-wide one refused through a seam, since
// Wine grants root every write), and what the page holds reaching the registry of the prefix.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "app/machine_autorun_win32.h"
#include "app/main_window_win32.h"
#include "app/monitor_settings.h"
#include "app/registry_settings_store_win32.h"
#include "app/settings_controls_win32.h"
#include "app/settings_page_win32.h"
#include "base/win32/wide_text.h"
#include "tests/common/settings_fakes.h"

namespace orv {
namespace {

const std::wstring kTestKey =
    L"Software\\Quillon\\OrvanePageTest" + std::to_wstring(GetCurrentProcessId());
// Stand-ins for the two hives' CurrentVersion keys.
const std::wstring kMachineKey = kTestKey + L"\\Machine";
const std::wstring kUserKey = kTestKey + L"\\User";
const std::wstring kProgram = L"C:\\Program Files\\Orvane\\orvane.exe";

// A hive whose writes are refused, as the machine-wide one is to a user without rights.
class RefusingHive final : public RunKeyHive {
  public:
    using RunKeyHive::RunKeyHive;
    LONG SetValue(List list, DWORD type, const void* data, DWORD bytes) override {
        return refuse ? ERROR_ACCESS_DENIED : RunKeyHive::SetValue(list, type, data, bytes);
    }
    LONG DeleteValue(List list) override {
        const bool present = list == List::Run ? Command().has_value() : Approval().has_value();
        return refuse && present ? ERROR_ACCESS_DENIED : RunKeyHive::DeleteValue(list);
    }
    bool refuse = true;
};

// Task Manager's marks: enabled, and disabled with the time of the change.
const std::vector<BYTE> kEnabled{0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
const std::vector<BYTE> kDisabled{0x03, 0, 0, 0, 0xd4, 0x0d, 0x43, 0x8d, 0xc8, 0x3b, 0xd9, 0x01};

class SettingsPage : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterSettingsReactions(controls_, reactions);
        MainWindowEvents events;
        events.controls = &controls_;
        ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr), std::move(events)));
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str()); }

    std::wstring Stored(const wchar_t* name) const {
        const std::wstring section = kTestKey + L"\\Main";
        wchar_t text[64] = {};
        DWORD size = sizeof(text);
        DWORD type = 0;
        if (RegGetValueW(HKEY_CURRENT_USER, section.c_str(), name, RRF_RT_ANY, &type, text,
                         &size) != ERROR_SUCCESS) {
            return L"<absent>";
        }
        return type == REG_SZ ? std::wstring(text) : L"<type " + std::to_wstring(type) + L">";
    }

    bool Checked(std::string_view id) {
        return SendMessageW(window.Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void Click(std::string_view id) { SendMessageW(window.Control(id), BM_CLICK, 0, 0); }
    static std::wstring Text(const std::wstring& key, const wchar_t* list, const wchar_t* name) {
        wchar_t text[MAX_PATH] = {};
        DWORD size = sizeof(text);
        if (RegGetValueW(HKEY_CURRENT_USER, (key + list).c_str(), name, RRF_RT_REG_SZ, nullptr,
                         text, &size) != ERROR_SUCCESS) {
            return L"<absent>";
        }
        return text;
    }
    static std::wstring UserRun() { return Text(kUserKey, L"\\Run", L"Orvane"); }
    static std::wstring MachineRun() { return Text(kMachineKey, L"\\Run", L"Orvane"); }
    static std::vector<BYTE> Mark(const wchar_t* name) {
        BYTE data[64] = {};
        DWORD size = sizeof(data);
        if (RegGetValueW(HKEY_CURRENT_USER, (kUserKey + kApproved).c_str(), name,
                         RRF_RT_REG_BINARY, nullptr, data, &size) != ERROR_SUCCESS) {
            return {};
        }
        return std::vector<BYTE>(data, data + size);
    }
    static void SetMark(const wchar_t* name, const std::vector<BYTE>& mark) {
        RegSetKeyValueW(HKEY_CURRENT_USER, (kUserKey + kApproved).c_str(), name, REG_BINARY,
                        mark.data(), static_cast<DWORD>(mark.size()));
    }
    static constexpr wchar_t kApproved[] = L"\\Explorer\\StartupApproved\\Run";

    ControlReactions controls_;
    MainWindow window;
    Win32SettingsControls controls{[this](std::string_view id) { return window.Control(id); }};
    testing::RecordingBoxes boxes;
    testing::ScriptedDialogs dialogs;
    testing::FakeFloatingWindow floating;
    RefusingHive machine{HKEY_CURRENT_USER, kMachineKey};
    RefusingHive user{HKEY_CURRENT_USER, kUserKey};
    RunKeyAutorunEntry autorun{kProgram, machine, user};
    DrawingColours colours;
    testing::FakeSystemColours system;
    SettingsReactions reactions{
        controls,
        {boxes, dialogs, floating, autorun, colours, system, {}, nullptr,
         [this](std::string_view text) { window.SetStatusText(text); }}};

    // The field's text typed, then the field left as the focus moving away reports it.
    std::string LeftWith(std::string_view id, const wchar_t* text) {
        HWND field = window.Control(id);
        SetWindowTextW(field, text);
        SendMessageW(window.Handle(), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(field), EN_KILLFOCUS), reinterpret_cast<LPARAM>(field));
        return controls.Text(id);
    }
};

TEST_F(SettingsPage, ANumberFieldLeftOutsideItsRangeShowsTheNearestBoundAndSaysSo) {
    EXPECT_EQ(LeftWith(ids::kTrafficThreshold, L"99999"), "10240");
    EXPECT_EQ(window.StatusText(), "Допустимы значения от 1 до 10240: поле исправлено на 10240");
    EXPECT_EQ(LeftWith(ids::kTrafficThreshold, L"0"), "1");
    EXPECT_EQ(LeftWith(ids::kTimeThreshold, L"1"), "10");
    EXPECT_EQ(LeftWith(ids::kTimeThreshold, L"99999999999999"), "1440");
    EXPECT_EQ(LeftWith(ids::kTimeThreshold, L""), "10");
    EXPECT_EQ(LeftWith(ids::kTimeThreshold, L"x5"), "10");  // a hand-edited stored value
    window.SetStatusText("");
    EXPECT_EQ(LeftWith(ids::kTimeThreshold, L"0045"), "0045") << "inside the range: as typed";
    EXPECT_EQ(window.StatusText(), "");
}

// A user without rights to the machine-wide key gets the same quoted entry in the user's key;
// off removes it (and our mark with it) and leaves the neighbours alone.
TEST_F(SettingsPage, WithTheMachineKeyRefusedTheUsersRunKeyHoldsTheEntry) {
    user.refuse = false;
    RegistrySettingsStore store(HKEY_CURRENT_USER, kTestKey);
    LoadSettings(store, controls, reactions);  // no key: "Автозагрузка" defaults to on
    EXPECT_TRUE(Checked(ids::kAutoRun));
    EXPECT_EQ(UserRun(), L"\"" + kProgram + L"\"");
    EXPECT_EQ(MachineRun(), L"<absent>");
    EXPECT_EQ(window.StatusText(), "");

    SetMark(L"Orvane", kEnabled);
    SetMark(L"Neighbour", kDisabled);
    Click(ids::kAutoRun);
    EXPECT_FALSE(Checked(ids::kAutoRun));
    EXPECT_EQ(UserRun(), L"<absent>");
    EXPECT_TRUE(Mark(L"Orvane").empty());
    EXPECT_EQ(Mark(L"Neighbour"), kDisabled);
    EXPECT_EQ(window.StatusText(), "");
}

// Disabled in Task Manager: the start shows the switch off and leaves the mark; the user's
// click clears our mark only.
TEST_F(SettingsPage, TurningTheSwitchOnClearsOurDisabledMarkOnly) {
    user.refuse = false;
    const std::wstring quoted = L"\"" + kProgram + L"\"";
    RegSetKeyValueW(HKEY_CURRENT_USER, (kUserKey + L"\\Run").c_str(), L"Orvane", REG_SZ,
                    quoted.c_str(), static_cast<DWORD>((quoted.size() + 1) * sizeof(wchar_t)));
    SetMark(L"Orvane", kDisabled);
    SetMark(L"Neighbour", kDisabled);
    RegistrySettingsStore store(HKEY_CURRENT_USER, kTestKey);
    store.Write("AutoRun", "1");
    LoadSettings(store, controls, reactions);
    EXPECT_FALSE(Checked(ids::kAutoRun));
    EXPECT_EQ(Mark(L"Orvane"), kDisabled);
    EXPECT_EQ(UserRun(), quoted);

    Click(ids::kAutoRun);
    EXPECT_TRUE(Checked(ids::kAutoRun));
    EXPECT_EQ(Mark(L"Orvane"), kEnabled);
    EXPECT_EQ(Mark(L"Neighbour"), kDisabled);
    EXPECT_EQ(UserRun(), quoted);
    EXPECT_FALSE(autorun.DisabledInStartupList());
}

// Refused everywhere: the switch goes off at start and on a click, and the status bar says why.
TEST_F(SettingsPage, AnAutorunWriteRefusedEverywhereTurnsTheSwitchOffAndSaysWhy) {
    RegistrySettingsStore store(HKEY_CURRENT_USER, kTestKey);
    LoadSettings(store, controls, reactions);  // no key: "Автозагрузка" defaults to on
    EXPECT_FALSE(Checked(ids::kAutoRun));
    const std::string refused = "Unable to start Orvane with Windows: ";
    EXPECT_EQ(window.StatusText().substr(0, refused.size()), refused);
    EXPECT_GT(window.StatusText().size(), refused.size());

    window.SetStatusText("");
    Click(ids::kAutoRun);
    EXPECT_FALSE(Checked(ids::kAutoRun));
    EXPECT_EQ(window.StatusText().substr(0, refused.size()), refused);
    EXPECT_EQ(UserRun(), L"<absent>");
    EXPECT_TRUE(boxes.shown.empty());

    SaveSettings(controls, store, boxes);
    EXPECT_EQ(Stored(L"AutoRun"), L"0");
}

void PutOnClipboard(HWND owner, const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);  // the clipboard owns it from here
    CloseClipboard();
}

// A paste is checked like typing: anything but digits is refused whole, by the edit menu's
// paste and by Ctrl+V alike.
TEST_F(SettingsPage, AThresholdFieldRefusesAPasteWithOtherThanDigits) {
    HWND field = window.Control(ids::kTrafficThreshold);
    SetWindowTextW(field, L"5");
    SendMessageW(field, EM_SETSEL, 1, 1);
    PutOnClipboard(window.Handle(), L"12a");
    SendMessageW(field, WM_PASTE, 0, 0);
    SendMessageW(field, WM_CHAR, 0x16, 0);  // Ctrl+V
    EXPECT_EQ(WindowText(field), "5");
    PutOnClipboard(window.Handle(), L"40");
    SendMessageW(field, WM_CHAR, 0x16, 0);
    EXPECT_EQ(WindowText(field), "540");
}

TEST_F(SettingsPage, WhatThePageHoldsIsSavedAsRegistryTexts) {
    RegistrySettingsStore store(HKEY_CURRENT_USER, kTestKey);
    LoadSettings(store, controls, reactions);
    ReadThresholds(store, controls);
    SendMessageW(window.Control(ids::kShowServerIp), BM_CLICK, 0, 0);
    SendMessageW(window.Control(ids::kStayOnTop), BM_CLICK, 0, 0);
    SetWindowTextW(window.Control(ids::kTrafficThreshold), L"250");
    controls.SetColour(ids::kReceivedSwatch, 0x00FF0000u);
    EXPECT_FALSE(floating.onTop);

    SaveSettings(controls, store, boxes);
    EXPECT_EQ(Stored(L"ServerIP"), L"1");
    EXPECT_EQ(Stored(L"StayOnTop"), L"0");
    EXPECT_EQ(Stored(L"TrafficValueToInform"), L"250");
    EXPECT_EQ(Stored(L"RecvColor"), L"16711680");
    EXPECT_EQ(Stored(L"BackGround"), L"-16777215");
}

}  // namespace
}  // namespace orv
