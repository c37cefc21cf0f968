// Monitor ticks on the real windows: a tick that changes nothing sends no text and paints
// nothing; new traffic updates the labels and both pictures, and the hidden main window's graph
// waits to be shown. Messages are counted with hooks on this thread.

#include <windows.h>

#include <utility>
#include <vector>

#include "app/main_window_win32.h"
#include "app/monitor_display_win32.h"
#include "app/page_layout.h"
#include "app/picture_box_win32.h"
#include "app/settings_controls_win32.h"
#include "floating_test_window.h"
#include "monitor/monitor_tick.h"
#include "monitor/traffic_graph_drawing.h"
#include "tests/common/monitor_tick_fakes.h"

namespace orv::testing {
namespace {

std::vector<std::pair<HWND, UINT>> seen;  // WM_SETTEXT and WM_PAINT, as they reached a window

LRESULT CALLBACK SentMessages(int code, WPARAM wParam, LPARAM lParam) {
    const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && (sent.message == WM_SETTEXT || sent.message == WM_PAINT)) {
        seen.emplace_back(sent.hwnd, sent.message);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK QueuedMessages(int code, WPARAM wParam, LPARAM lParam) {
    const auto& queued = *reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && queued.message == WM_PAINT) {
        seen.emplace_back(queued.hwnd, queued.message);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class QuietTickTest : public FloatingWindowTest {
  protected:
    void SetUp() override {
        FloatingWindowTest::SetUp();
        ASSERT_TRUE(main.Create(GetModuleHandleW(nullptr), {}));
        graphArea = main.Control(ids::kTrafficGraph);
        AttachPicture(graphArea, &graphPicture);
        sentHook = SetWindowsHookExW(WH_CALLWNDPROC, SentMessages, nullptr, GetCurrentThreadId());
        queuedHook =
            SetWindowsHookExW(WH_GETMESSAGE, QueuedMessages, nullptr, GetCurrentThreadId());
        ASSERT_TRUE(sentHook && queuedHook);
        source.statistics = {.bytesSent = 20'000, .bytesReceived = 90'000, .durationMs = 5'000};
        source.projection = {"10.0.0.2", "10.0.0.1"};
    }

    void TearDown() override {
        UnhookWindowsHookEx(sentHook);
        UnhookWindowsHookEx(queuedHook);
        seen.clear();
        FloatingWindowTest::TearDown();
    }

    // One Timer1 message a second after the last, and whatever it leaves queued (the repaints).
    void Tick() {
        clock.Advance(1000);
        monitor.MonitorTick();
        PumpUntil(150, [] { return false; });
    }

    void Connect() { source.connections = {{0x51, "Provider", "modem", "USR Courier"}}; }

    int Count(UINT message, bool (*where)(const QuietTickTest&, HWND)) const {
        int count = 0;
        for (const auto& [hwnd, what] : seen) {
            count += what == message && where(*this, hwnd) ? 1 : 0;
        }
        return count;
    }
    static bool Floating(const QuietTickTest& t, HWND hwnd) { return hwnd == t.Handle(); }
    static bool InMainWindow(const QuietTickTest& t, HWND hwnd) {
        return hwnd == t.main.Handle() || IsChild(t.main.Handle(), hwnd);
    }
    static bool Graph(const QuietTickTest& t, HWND hwnd) { return hwnd == t.graphArea; }

    MainWindow main;
    HWND graphArea = nullptr;
    Win32SettingsControls settings{[this](std::string_view id) { return main.Control(id); }};
    Win32MonitorDisplay display{main, settings};
    GdiCanvas graphPicture{TrafficGraphDrawing::kWidth, TrafficGraphDrawing::kHeight};
    TrafficGraphDrawing graphs{graphPicture, colours, [this] { ShowChangedPicture(graphArea); },
                               window.Drawing()};
    test::EventLog log;
    test::FakeConnectionSource source{log};
    test::FakeSessionStore sessions{log};
    test::FakeNotices notices{log};
    test::FixedClock clock;
    RegionalFormats formats;
    CurrentConnection current;
    ConnectionMonitor monitor{source, display, graphs, sessions, notices, formats, clock, current};
    HHOOK sentHook = nullptr;
    HHOOK queuedHook = nullptr;
};

TEST_F(QuietTickTest, UnchangedTicksSendNoTextAndPaintNothingNewTrafficUpdatesBoth) {
    window.Show();
    main.ShowPage(4);  // the statistics page, with the graph
    Tick();
    PumpUntil(300, [] { return false; });
    seen.clear();
    for (int tick = 0; tick < 3; ++tick) {
        Tick();
    }
    EXPECT_EQ(Count(WM_SETTEXT, InMainWindow), 0) << "no connection, unchanged";
    EXPECT_EQ(Count(WM_PAINT, InMainWindow), 0);
    EXPECT_EQ(Count(WM_PAINT, Floating), 0);

    Connect();
    Tick();
    EXPECT_GT(Count(WM_SETTEXT, InMainWindow), 0) << "the connection's figures";
    EXPECT_GT(Count(WM_PAINT, Graph), 0);
    EXPECT_GT(Count(WM_PAINT, Floating), 0);

    // The same figures again: the bars move on, the labels stay.
    seen.clear();
    Tick();
    Tick();
    EXPECT_EQ(Count(WM_SETTEXT, InMainWindow), 0) << "connected, figures unchanged";
    source.statistics.bytesReceived += 4'096;
    Tick();
    EXPECT_GT(Count(WM_SETTEXT, InMainWindow), 0) << "new traffic";
}

TEST_F(QuietTickTest, TheHiddenMainWindowsGraphIsKeptCurrentAndPaintedWhenShown) {
    Connect();
    Tick();
    seen.clear();
    source.statistics.bytesReceived += 4'096;
    Tick();
    EXPECT_GT(Count(WM_SETTEXT, InMainWindow), 0) << "the labels stay current while hidden";
    EXPECT_EQ(Count(WM_PAINT, InMainWindow), 0);

    main.ShowPage(4);
    PumpUntil(300, [] { return false; });
    ASSERT_GT(Count(WM_PAINT, Graph), 0);
    // What is on screen is the picture of the last tick: its newest bar at column 1.
    const WindowDc screen(graphArea);
    const int barX = 5 * graphs.MainGraphColumn() + 2;
    EXPECT_EQ(GetPixel(screen.Get(), barX, TrafficGraphDrawing::kHeight - 1),
              graphPicture.Pixel(barX, TrafficGraphDrawing::kHeight - 1));
    EXPECT_EQ(graphPicture.Pixel(barX, TrafficGraphDrawing::kHeight - 1), colours.received);
}

}  // namespace
}  // namespace orv::testing
