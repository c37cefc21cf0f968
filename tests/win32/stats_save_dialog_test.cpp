// The report's save dialog as a real common dialog: choosing an existing file asks before
// replacing it.

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

#include "stats/save_dialog_win32.h"
#include "stats_test_folder.h"

namespace orv {
namespace {

struct DialogSearch {
    HWND skip = nullptr;
    HWND found = nullptr;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<DialogSearch*>(data);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (window != search.skip && process == GetCurrentProcessId() && IsWindowVisible(window) &&
        lstrcmpW(className, L"#32770") == 0) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// A visible dialog-class window of this process other than `skip`.
HWND OwnDialog(HWND skip) {
    DialogSearch search{skip, nullptr};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForDialog(HWND skip) {
    for (int i = 0; i < 200; ++i) {
        if (const HWND dialog = OwnDialog(skip)) {
            return dialog;
        }
        Sleep(25);
    }
    return nullptr;
}

TEST(StatsSaveDialog, AnExistingFileIsReplacedOnlyAfterTheQuestion) {
    const testing::TempProgramFolder folder;
    const std::string existing = folder.Path() + "week.html";
    testing::WriteFileBytes(existing, "old report");

    std::atomic<bool> asked = false;
    std::thread person([&asked] {
        const HWND save = WaitForDialog(nullptr);
        if (save == nullptr) {
            return;
        }
        Sleep(100);
        PostMessageW(save, WM_COMMAND, IDOK, 0);
        const HWND question = WaitForDialog(save);
        if (question != nullptr) {
            asked = true;
            Sleep(100);
            PostMessageW(question, WM_COMMAND, IDYES, 0);
        } else {
            PostMessageW(save, WM_COMMAND, IDCANCEL, 0);  // not reached once the dialog closed
        }
    });
    Win32SaveDialog dialog;
    dialog.SetFilter("HTML (*.html)|*.html");
    dialog.SetFileName(existing);
    const std::optional<std::string> chosen = dialog.Execute();
    person.join();

    EXPECT_TRUE(asked);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, existing);
}

}  // namespace
}  // namespace orv
