// The report's save dialog as a real common dialog: choosing an existing file asks before
// replacing it.

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <optional>
#include <thread>
#include <utility>

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

// Chooses `typed` in the save dialog as a person would; true when the dialog asked before
// replacing a file. The dialog's answer goes to `chosen`.
bool ChooseInDialog(const std::string& typed, std::optional<std::string>& chosen) {
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
    dialog.SetFileName(typed);
    chosen = dialog.Execute();
    person.join();
    return asked;
}

// "week" typed, "week.html" there: the question is about week.html, which is what is written;
// an existing "old.htm" is asked about and kept as that name.
TEST(StatsSaveDialog, AnExistingFileIsReplacedOnlyAfterTheQuestionAboutItself) {
    const testing::TempProgramFolder folder;
    testing::WriteFileBytes(folder.Path() + "week.html", "old report");
    testing::WriteFileBytes(folder.Path() + "old.htm", "old report");
    for (const auto& [typed, written] :
         {std::pair<std::string, std::string>{"week.html", "week.html"},
          {"week", "week.html"},
          {"old.htm", "old.htm"}}) {
        std::optional<std::string> chosen;
        EXPECT_TRUE(ChooseInDialog(folder.Path() + typed, chosen)) << typed;
        ASSERT_TRUE(chosen) << typed;
        EXPECT_EQ(WithHtmlExtension(*chosen), folder.Path() + written);
    }
}

}  // namespace
}  // namespace orv
