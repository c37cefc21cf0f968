// The countdown before a shut-down, on a real message box: it counts in its text, answers by
// itself when the count runs out, and Cancel stops it. Nothing here can shut anything down: the
// notice only answers whether to go on.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/shutdown_notice_win32.h"
#include "base/win32/wide_text.h"
#include "support/thread_boxes.h"

namespace orv {
namespace {

using testing::OpenBox;

std::string seenText;

// Reads the box's text after the first second, then presses Cancel.
void CALLBACK CancelAfterOneTick(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND box = OpenBox();
    if (box == nullptr) {
        return;
    }
    wchar_t text[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    if (std::wstring(text).find(L" 2 ") == std::wstring::npos) {
        return;  // still the first second
    }
    KillTimer(nullptr, timer);
    seenText = Narrow(text);
    PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
}

TEST(ShutdownNotice, CountsDownInItsTextAndCancelStopsIt) {
    LanguageCode english("Eng");
    MessageBoxShutdownNotice notice([] { return HWND{nullptr}; }, english);
    SetTimer(nullptr, 0, 100, &CancelAfterOneTick);
    EXPECT_FALSE(notice.CountDown(3));
    EXPECT_EQ(seenText, ShutdownNoticeText(2, false));
}

TEST(ShutdownNotice, GoesOnByItselfWhenTheCountRunsOut) {
    LanguageCode russian("Rus");
    MessageBoxShutdownNotice notice([] { return HWND{nullptr}; }, russian);
    const DWORD start = GetTickCount();
    EXPECT_TRUE(notice.CountDown(1));
    EXPECT_GE(GetTickCount() - start, 900u);
}

}  // namespace
}  // namespace orv
