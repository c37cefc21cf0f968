// The settings page's real controls with their reactions, in-process under Wine: a refused
// machine-wide write, and what the page holds reaching the registry of the prefix.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "app/main_window_win32.h"
#include "app/monitor_settings.h"
#include "app/registry_settings_store_win32.h"
#include "app/settings_controls_win32.h"
#include "app/settings_page_win32.h"
#include "tests/common/settings_fakes.h"

namespace orv {
namespace {

using ::testing::ElementsAre;

const std::wstring kTestKey =
    L"Software\\Quillon\\OrvanePageTest" + std::to_wstring(GetCurrentProcessId());

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

    ControlReactions controls_;
    MainWindow window;
    Win32SettingsControls controls{[this](std::string_view id) { return window.Control(id); }};
    testing::RecordingBoxes boxes;
    testing::ScriptedDialogs dialogs;
    testing::FakeFloatingWindow floating;
    testing::FakeAutorun autorun;
    DrawingColours colours;
    testing::FakeSystemColours system;
    std::string status;
    SettingsReactions reactions{controls,
                                {boxes, dialogs, floating, autorun, colours, system, {}, nullptr,
                                 [this](std::string_view text) { status = std::string(text); }}};

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
    EXPECT_EQ(status, "Допустимы значения от 1 до 10240: поле исправлено на 10240");
    EXPECT_EQ(LeftWith(ids::kTrafficThreshold, L"0"), "1");
    EXPECT_EQ(LeftWith(ids::kTimeThreshold, L"1"), "10");
    EXPECT_EQ(LeftWith(ids::kTimeThreshold, L"99999999999999"), "1440");
    EXPECT_EQ(LeftWith(ids::kTimeThreshold, L""), "10");
    status.clear();
    EXPECT_EQ(LeftWith(ids::kTimeThreshold, L"0045"), "0045") << "inside the range: as typed";
    EXPECT_EQ(status, "");
}

TEST_F(SettingsPage, ARefusedAutorunWriteTurnsTheSwitchOffAtStartAndOnAClick) {
    autorun.refuse = true;
    RegistrySettingsStore store(HKEY_CURRENT_USER, kTestKey);
    LoadSettings(store, controls, reactions);  // no key: "Автозагрузка" defaults to on
    EXPECT_EQ(SendMessageW(window.Control(ids::kAutoRun), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    autorun.requests.clear();
    SendMessageW(window.Control(ids::kAutoRun), BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(window.Control(ids::kAutoRun), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_THAT(autorun.requests, ElementsAre(true, false));
    EXPECT_TRUE(boxes.shown.empty());

    SaveSettings(controls, store, boxes);
    EXPECT_EQ(Stored(L"AutoRun"), L"0");
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
