// The monitor tick's fields, status text and display options on the real main window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/main_window_win32.h"
#include "app/monitor_display_win32.h"
#include "app/settings_controls_win32.h"
#include "base/win32/wide_text.h"

namespace orv {
namespace {

class MonitorDisplayTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr), {})); }

    MainWindow window;
    Win32SettingsControls settings{[this](std::string_view id) { return window.Control(id); }};
    Win32MonitorDisplay display{window, settings};
};

constexpr DisplayField kFields[] = {
    DisplayField::Name,           DisplayField::LinkSpeed,     DisplayField::Duration,
    DisplayField::DeviceType,     DisplayField::DeviceName,    DisplayField::ServerIp,
    DisplayField::ClientIp,       DisplayField::BytesSent,     DisplayField::BytesReceived,
    DisplayField::CompressionOut, DisplayField::CompressionIn,
};

TEST_F(MonitorDisplayTest, EveryFieldReadsBackWhatWasWrittenAndNoOtherFieldChanges) {
    for (DisplayField field : kFields) {
        display.SetField(field, "x");
    }
    for (DisplayField field : kFields) {
        const std::string text = "Поле " + std::to_string(static_cast<int>(field));
        display.SetField(field, text);
        EXPECT_EQ(display.Field(field), text);
    }
    // Each field is its own label: the last write of every field survived the others.
    for (DisplayField field : kFields) {
        EXPECT_EQ(display.Field(field), "Поле " + std::to_string(static_cast<int>(field)));
    }
    EXPECT_EQ(WindowText(window.Control("Label20")), "Поле 0");
    EXPECT_EQ(WindowText(window.Control("Label10")), "Поле 8");
}

TEST_F(MonitorDisplayTest, TheStatusTextGoesToTheStatusBar) {
    display.SetStatusText("Удаленный компьютер не отвечает.");
    EXPECT_EQ(window.StatusText(), "Удаленный компьютер не отвечает.");
}

TEST_F(MonitorDisplayTest, DisplayFlagsFollowTheSettingsPageSwitchesLive) {
    const DisplayFlags off = display.ReadDisplayFlags();
    EXPECT_FALSE(off.bytesRecv || off.bytesSend || off.connectSpeed || off.duration ||
                 off.curSpeed || off.averageSpeed || off.clientIp || off.serverIp);
    SendMessageW(window.Control("CheckBox11"), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(window.Control("CheckBox16"), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(window.Control("CheckBox19"), BM_SETCHECK, BST_CHECKED, 0);
    const DisplayFlags some = display.ReadDisplayFlags();
    EXPECT_TRUE(some.bytesRecv);
    EXPECT_TRUE(some.serverIp);
    EXPECT_TRUE(some.averageSpeed);
    EXPECT_FALSE(some.bytesSend || some.clientIp || some.curSpeed);
}

}  // namespace
}  // namespace orv
