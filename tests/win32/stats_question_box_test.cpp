// The clear question as a real message box: Enter takes the default No, as do Escape and the
// close button; only Yes itself deletes.

#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

#include "stats/user_prompts_win32.h"

namespace orv {
namespace {

// The question box of this process: tests running beside it may show boxes of the same
// caption, so every such box is looked at, not only the first.
HWND OwnQuestionBox() {
    for (HWND box = FindWindowExW(nullptr, nullptr, L"#32770", L"Information"); box != nullptr;
         box = FindWindowExW(nullptr, box, L"#32770", L"Information")) {
        DWORD process = 0;
        GetWindowThreadProcessId(box, &process);
        if (process == GetCurrentProcessId()) {
            return box;
        }
    }
    return nullptr;
}

// Waits for the question box of this process and delivers one input to it; a key waits until
// a control of the box has the focus (under load the box may be shown before it takes it).
void AnswerWhenShown(UINT message, WPARAM wParam) {
    for (int i = 0; i < 400; ++i) {
        if (const HWND box = OwnQuestionBox()) {
            Sleep(50);
            // A key goes where the person's key would: to the control that has the focus.
            GUITHREADINFO thread = {};
            thread.cbSize = sizeof thread;
            GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &thread);
            const HWND target = message == WM_KEYDOWN ? thread.hwndFocus
                                : message == BM_CLICK ? GetDlgItem(box, IDYES)
                                                      : box;
            if (target != nullptr) {
                PostMessageW(target, message, wParam, 0);
                return;
            }
        }
        Sleep(25);
    }
}

bool AskAndAnswer(UINT message, WPARAM wParam) {
    std::thread answer(AnswerWhenShown, message, wParam);
    MessageBoxPrompts prompts;
    const bool yes = prompts.AskYesNo("This will delete all statistics. Continue?");
    answer.join();
    return yes;
}

TEST(StatsQuestionBox, EnterEscapeAndCloseAnswerNoOnlyYesDeletes) {
    EXPECT_FALSE(AskAndAnswer(WM_KEYDOWN, VK_RETURN));
    EXPECT_TRUE(AskAndAnswer(BM_CLICK, 0));
    EXPECT_FALSE(AskAndAnswer(WM_KEYDOWN, VK_ESCAPE));
    EXPECT_FALSE(AskAndAnswer(WM_SYSCOMMAND, SC_CLOSE));
}

}  // namespace
}  // namespace orv
