#include "base/win32/message_loop.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

struct LoopRig {
    bool ended = false;
    bool timedOut = false;
};
LoopRig* rig = nullptr;

// WM_APP plays "Выход" chosen inside a system loop that peeks every message, as Wine's move
// loop does: the quit message posted by the exit is swallowed there.
LRESULT CALLBACK ExitingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        rig->ended = true;
        PostQuitMessage(0);
        MSG swallowed;
        while (PeekMessageW(&swallowed, nullptr, 0, 0, PM_REMOVE)) {
        }
        return 0;
    }
    if (message == WM_TIMER) {  // the loop did not end: end it for the test to report
        KillTimer(window, wParam);
        rig->timedOut = true;
        PostQuitMessage(1);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(MessageLoop, EndsAfterTheExitEvenWhenANestedLoopSwallowedTheQuitMessage) {
    LoopRig state;
    rig = &state;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &ExitingWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"OrvaneMessageLoopTest";
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowW(L"OrvaneMessageLoopTest", L"", 0, 0, 0, 10, 10, nullptr,
                                      nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    SetTimer(window, 1, 2000, nullptr);
    PostMessageW(window, WM_APP, 0, 0);

    EXPECT_EQ(RunMessageLoop(nullptr, state.ended), 0);
    EXPECT_FALSE(state.timedOut);
    DestroyWindow(window);
    rig = nullptr;
}

}  // namespace
}  // namespace orv
