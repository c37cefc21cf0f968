// Whole-program test of the language files: the shipped files beside orvane.exe, the English
// first start, the switch to Russian in every open window, and the choice kept for the next run.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "support/orvane_process.h"

namespace orv::e2e {
namespace {

using namespace std::chrono_literals;

void CopyShippedLanguages(const std::wstring& programFolder) {
    wchar_t tests[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, tests, MAX_PATH);
    std::wstring from(tests);
    from.resize(from.find_last_of(L'\\') + 1);
    from += L"Languages\\";
    const std::wstring to = programFolder + L"Languages\\";
    CreateDirectoryW(to.c_str(), nullptr);
    for (const wchar_t* name : {L"Eng.lang", L"Rus.lang"}) {
        ASSERT_TRUE(CopyFileW((from + name).c_str(), (to + name).c_str(), FALSE)) << from;
    }
}

// Polls a window's text until it is `expected`; the text last read.
std::wstring WaitForText(HWND window, const std::wstring& expected) {
    std::wstring text = TextOf(window);
    for (int i = 0; i < 100 && text != expected; ++i) {
        Sleep(50);
        text = TextOf(window);
    }
    return text;
}

HWND PageCaptioned(HWND main, const std::wstring& caption) {
    for (HWND page : ChildWindows(main, L"TTabSheet")) {
        if (TextOf(page) == caption) {
            return page;
        }
    }
    return nullptr;
}

HWND MonthWindow(DWORD process) {
    for (int i = 0; i < 100; ++i) {
        for (HWND window : TopLevelWindows(L"TFrmStat")) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == process) {
                return window;
            }
        }
        Sleep(50);
    }
    return nullptr;
}

// The box's entry of a code: the box lists the folder's files in the platform's order, which a
// search of the same folder here gives too (the box has no text field to read back).
int EntryOf(const std::wstring& programFolder, const std::wstring& code) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((programFolder + L"Languages\\*.lang").c_str(), &found);
    int entry = -1;
    for (int index = 0; search != INVALID_HANDLE_VALUE && entry < 0; ++index) {
        if (std::wstring(found.cFileName).substr(0, 3) == code) {
            entry = index;
        } else if (!FindNextFileW(search, &found)) {
            break;
        }
    }
    FindClose(search);
    return entry;
}

LRESULT ChosenEntry(HWND main) {
    DWORD_PTR chosen = 0;
    SendMessageTimeoutW(PageControl(main, "ComboBox3"), CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG,
                        2000, &chosen);
    return static_cast<LRESULT>(chosen);
}

// Chooses the box's entry with this code as the user's pick does, by the box's notification.
void ChooseLanguage(HWND main, const std::wstring& programFolder, const std::wstring& code) {
    HWND box = PageControl(main, "ComboBox3");
    ASSERT_NE(box, nullptr);
    // A list to choose from: no field to type a name into.
    EXPECT_TRUE(ChildWindows(box, L"Edit").empty());
    const int entry = EntryOf(programFolder, code);
    ASSERT_GE(entry, 0) << std::string(code.begin(), code.end());
    SendMessageTimeoutW(box, CB_SETCURSEL, entry, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    SendMessageTimeoutW(main, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(box), SMTO_ABORTIFHUNG, 10000, nullptr);
}

class LanguageFiles : public EmulatedProgramTest {
  protected:
    void SetUp() override {
        EmulatedProgramTest::SetUp();
        CopyShippedLanguages(folder.Path());
    }

    ProgramFolder folder;
};

TEST_F(LanguageFiles, AFirstStartIsEnglishAndChoosingRusTurnsEveryWindowRussianForTheNextRunToo) {
    {
        OrvaneProcess program(folder);
        HWND floating = program.WaitForFloatingWindow();
        ASSERT_NE(floating, nullptr);
        HWND main = program.MainWindow();
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(WaitForText(PageControl(main, "Label17"), L"Name"), L"Name");
        EXPECT_NE(PageCaptioned(main, L"Detailed statistics"), nullptr);
        EXPECT_EQ(TextOf(PageControl(main, "CheckBox17")), L"Show the floating window");

        // The month window of the detailed page, then Rus in the box.
        PostMessageW(main, WM_USER, 5, 0);
        SendMessageTimeoutW(PageControl(main, "SpeedButton6"), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG,
                            5000, nullptr);
        HWND month = MonthWindow(program.Id());
        ASSERT_NE(month, nullptr);
        EXPECT_EQ(TextOf(month), L"Online Time on Months");

        ChooseLanguage(main, folder.Path(), L"Rus");
        EXPECT_EQ(WaitForText(PageControl(main, "Label17"), L"Название"), L"Название");
        EXPECT_NE(PageCaptioned(main, L"Подробная статистика"), nullptr);
        EXPECT_EQ(WaitForText(month, L"Распределение времени нахождения в сети по месяцам"),
                  L"Распределение времени нахождения в сети по месяцам");
        const auto labels = ChildWindows(month, L"Static");
        ASSERT_EQ(labels.size(), 24u);
        EXPECT_EQ(TextOf(labels.front()), L"Январь:  ");

        PostMessageW(floating, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(10s), 0u);
    }
    EXPECT_EQ(SavedSetting(L"Language"), L"Rus");

    OrvaneProcess again(folder);
    ASSERT_NE(again.WaitForFloatingWindow(), nullptr);
    HWND main = again.MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WaitForText(PageControl(main, "Label17"), L"Название"), L"Название");
    EXPECT_EQ(ChosenEntry(main), EntryOf(folder.Path(), L"Rus"));
    PostMessageW(again.WaitForFloatingWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(again.WaitForExit(10s), 0u);
}

}  // namespace
}  // namespace orv::e2e
