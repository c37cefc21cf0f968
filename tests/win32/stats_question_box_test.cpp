// The clear question as a real message box: Enter takes the default Yes, Escape and the close
// button answer No.

#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

#include "stats/user_prompts_win32.h"

namespace orv {
namespace {

// Waits for the question box of this process and delivers one input to it.
void AnswerWhenShown(UINT message, WPARAM wParam) {
    for (int i = 0; i < 200; ++i) {
        const HWND box = FindWindowW(L"#32770", L"Information");
        if (box != nullptr) {
            DWORD process = 0;
            GetWindowThreadProcessId(box, &process);
            if (process == GetCurrentProcessId()) {
                Sleep(50);
                const HWND focus = GetDlgItem(box, IDYES);
                PostMessageW(message == WM_KEYDOWN ? focus : box, message, wParam, 0);
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

TEST(StatsQuestionBox, EnterAnswersYesEscapeAndCloseAnswerNo) {
    EXPECT_TRUE(AskAndAnswer(WM_KEYDOWN, VK_RETURN));
    EXPECT_FALSE(AskAndAnswer(WM_KEYDOWN, VK_ESCAPE));
    EXPECT_FALSE(AskAndAnswer(WM_SYSCOMMAND, SC_CLOSE));
}

}  // namespace
}  // namespace orv
