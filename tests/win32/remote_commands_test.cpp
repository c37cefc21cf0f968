// The remote commands as a running floating window receives them, with the program's own
// actions for the main window and the settings; the shut-down port and the other subsystems'
// steps are recording fakes, so code 12 never shuts anything down.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/monitor_commands_win32.h"
#include "app/monitor_settings.h"
#include "floating_test_window.h"
#include "tests/common/memory_settings_store.h"
#include "tests/common/settings_fakes.h"

namespace orv {
namespace {

using testing::PumpUntil;

class RecordingShutdown final : public ShutdownPort {
  public:
    explicit RecordingShutdown(std::vector<std::string>& log, const SettingsStore& store)
        : log_(log), store_(store) {}
    std::optional<PlatformVersion> QueryVersion() override {
        return PlatformVersion{2, 6, 1, 7601, ""};
    }
    bool OpenOwnToken() override { return true; }
    bool LookupShutdownPrivilege() override { return true; }
    bool EnableShutdownPrivilege() override { return true; }
    Outcome RequestShutdown(std::uint32_t flags) override {
        log_.push_back("shut down " + std::to_string(flags) + " with BytesRecv " +
                       store_.Read("BytesRecv").value_or("<absent>"));
        return Outcome::Ok();
    }

  private:
    std::vector<std::string>& log_;
    const SettingsStore& store_;
};

class RemoteCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        MainWindowEvents mainEvents;
        mainEvents.controls = &reactions;
        ASSERT_TRUE(main.Create(GetModuleHandleW(nullptr), std::move(mainEvents)));
        FloatingWindowEvents events;
        events.closing = [this] { log.push_back("exit sequence"); };
        events.showPage = [this](int code) { main.ShowPage(code); };
        events.remoteCommands =
            MonitorCommandActions({main,
                                   controls,
                                   store,
                                   shutdown,
                                   boxes,
                                   [this] {
                                       log.push_back("launch list with BytesRecv " +
                                                     store.Read("BytesRecv").value_or("<absent>"));
                                   },
                                   [this] { log.push_back("Button3Click"); },
                                   [this] { log.push_back("Button2Click"); },
                                   nullptr,
                                   [this] { log.push_back("journal"); },
                                   {},
                                   {}});
        ASSERT_TRUE(floating.Create(GetModuleHandleW(nullptr), std::move(events)));
    }
    void TearDown() override {
        if (floating.Handle()) {
            DestroyWindow(floating.Handle());
        }
        MSG quit;
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    void Send(WPARAM code) { SendMessageW(floating.Handle(), WM_USER, code, 0); }
    int Page() const {
        for (int page = 0; page < 8; ++page) {
            if (IsWindowVisible(main.Page(page))) {
                return page;
            }
        }
        return -1;
    }

    std::vector<std::string> log;
    ControlReactions reactions;
    MainWindow main;
    testing::FakeSettingsControls controls;
    MemorySettingsStore store;
    RecordingShutdown shutdown{log, store};
    testing::RecordingBoxes boxes;
    DrawingColours colours{0x00102030, 0x0000FF00, 0x000000FF, 0x00FFFFFF, 0x00336699};
    testing::RecordingShell shell;
    FloatingWindow floating{colours, shell};
};

TEST_F(RemoteCommands, Codes3To10ShowTheMainWindowOnPages0To7AndCode11HidesIt) {
    for (WPARAM code = 3; code <= 10; ++code) {
        Send(11);
        ASSERT_FALSE(IsWindowVisible(main.Handle()));
        Send(code);
        EXPECT_TRUE(IsWindowVisible(main.Handle())) << code;
        EXPECT_EQ(Page(), static_cast<int>(code) - 3);
        EXPECT_EQ(main.CurrentPage(), static_cast<int>(code) - 3);
    }
    Send(3);  // from page 7 straight to page 0
    EXPECT_EQ(Page(), 0);
    Send(11);
    Send(11);  // already hidden: nothing changes
    EXPECT_FALSE(IsWindowVisible(main.Handle()));
    EXPECT_TRUE(log.empty());
}

TEST_F(RemoteCommands, Codes1And2HideAndShowTheFloatingWindowAndLargeCodesDoNothing) {
    controls.SetChecked(ids::kFloatingWindow, true);
    Send(2);
    EXPECT_TRUE(IsWindowVisible(floating.Handle()));
    Send(1);
    EXPECT_FALSE(IsWindowVisible(floating.Handle()));
    EXPECT_TRUE(controls.Checked(ids::kFloatingWindow));  // the option is not changed
    for (WPARAM code : {WPARAM{16}, WPARAM{0xFFFFFFFFu}}) {
        Send(code);
    }
    EXPECT_FALSE(IsWindowVisible(floating.Handle()));
    EXPECT_FALSE(IsWindowVisible(main.Handle()));
    EXPECT_TRUE(log.empty());
}

TEST_F(RemoteCommands, Code12NotesTheSessionSavesTheSettingsAndTheListThenShutsDown) {
    controls.SetChecked(ids::kShowBytesRecv, true);
    Send(13);
    Send(14);
    Send(12);
    EXPECT_EQ(log, (std::vector<std::string>{"Button3Click", "Button2Click", "journal",
                                             "launch list with BytesRecv 1",
                                             "shut down 17 with BytesRecv 1"}));
    EXPECT_EQ(store.Read("SpeechPlugin"), "0");  // every setting was saved
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_NE(floating.Handle(), nullptr);  // the monitor itself does not close
}

TEST_F(RemoteCommands, Code0ClosesTheFloatingWindowThroughTheExitSequence) {
    Send(0);
    EXPECT_EQ(log, std::vector<std::string>{"exit sequence"});
    EXPECT_EQ(floating.Handle(), nullptr);
}

TEST_F(RemoteCommands, Code15QueuesATabThatMovesTheFocusToTheNextControl) {
    Send(8);                               // the options page
    PumpUntil(200, [] { return false; });  // let the activation settle
    HWND first = main.Control(ids::kSpeechPlugin);
    SetFocus(first);
    ASSERT_EQ(GetFocus(), first);
    HWND next = GetNextDlgTabItem(main.Handle(), first, FALSE);
    ASSERT_NE(next, nullptr);
    ASSERT_NE(next, first);

    Send(15);
    EXPECT_EQ(GetFocus(), first);  // queued, not handled inside the send
    PumpUntil(1000, [&] { return GetFocus() != first; });
    EXPECT_EQ(GetFocus(), next);
}

}  // namespace
}  // namespace orv
