#pragma once
// A floating window created in the test process, with a tray shell that records what the icon
// asks for instead of touching the notification area.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "monitor/floating_window_win32.h"

namespace orv::testing {

struct ShellRequest {
    DWORD message;
    NOTIFYICONDATAW data;
};

class RecordingShell final : public NotifyIconShell {
  public:
    bool Notify(DWORD message, NOTIFYICONDATAW& data) override {
        requests.push_back({message, data});
        return !(message == NIM_MODIFY && failModify);
    }
    int Count(DWORD message) const {
        int count = 0;
        for (const ShellRequest& request : requests) {
            count += request.message == message ? 1 : 0;
        }
        return count;
    }

    std::vector<ShellRequest> requests;
    bool failModify = false;
};

// Delivers what is queued for this thread, for `ms` milliseconds or until `done` holds.
template <typename Done>
void PumpUntil(DWORD ms, Done done) {
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < ms) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message != WM_QUIT) {
                DispatchMessageW(&message);
            }
        }
        Sleep(10);
    }
}

inline RECT WorkArea() {
    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

class FloatingWindowTest : public ::testing::Test {
  protected:
    void CreateWindowWith(bool startupFlag) {
        FloatingWindowEvents events;
        events.readStartupFlag = [this, startupFlag] {
            addsWhenFlagRead = shell.Count(NIM_ADD);
            return startupFlag;
        };
        events.closing = [this] {
            ++closings;
            // A close request while the exit sequence runs must not run it again.
            SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
        };
        events.toggleMainWindow = [this] { ++toggles; };
        events.showPage = [this](int code) { pages.push_back(code); };
        events.trayInfoText = [this] { return trayText; };
        events.connect = [this] { lineActions.push_back("connect"); };
        events.disconnect = [this] { lineActions.push_back("disconnect"); };
        ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr), std::move(events)));
    }

    void SetUp() override { CreateWindowWith(true); }

    void TearDown() override {
        if (window.Handle()) {
            DestroyWindow(window.Handle());
        }
        MSG quit;
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    HWND Handle() const { return window.Handle(); }

    DrawingColours colours{0x00102030, 0x0000FF00, 0x000000FF, 0x00FFFFFF, 0x00336699};
    RecordingShell shell;
    FloatingWindow window{colours, shell};
    int addsWhenFlagRead = -1;
    int closings = 0;
    int toggles = 0;
    std::vector<int> pages;
    std::string trayText;
    std::vector<std::string> lineActions;
};

}  // namespace orv::testing
