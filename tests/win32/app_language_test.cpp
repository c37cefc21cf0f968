// Language files and the month window in-process under Wine: the real main window, a floating
// window stand-in with the real pop-up menu, files in a throw-away program folder.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/language_switch_win32.h"
#include "app/main_window_win32.h"
#include "app/settings_controls_win32.h"
#include "base/win32/wide_text.h"
#include "monitor/popup_menu_win32.h"
#include "stats/month_chart_window_win32.h"
#include "stats_test_folder.h"
#include "support/control_texts.h"
#include "tests/common/memory_settings_store.h"
#include "tests/common/settings_fakes.h"

namespace orv {
namespace {

std::string ShippedFile(const char* code) {
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring folder(program);
    folder.resize(folder.find_last_of(L'\\') + 1);
    return testing::ReadFileBytes(Narrow(folder) + "Languages\\" + code + ".lang");
}

std::string MenuText(HMENU menu, UINT position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return Narrow(text);
}

std::string ItemText(HWND combo, int index) {
    wchar_t text[64] = {};
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return Narrow(text);
}

class Languages : public ::testing::Test {
  protected:
    void SetUp() override {
        CreateDirectoryW(Widen(folder.Path() + "Languages").c_str(), nullptr);
        floating = CreateWindowExW(0, L"STATIC", L"ORVMainWindow", WS_POPUP, 0, 0, 10, 10, nullptr,
                                   nullptr, nullptr, nullptr);
        languages.Register(reactions);
        MainWindowEvents events;
        events.controls = &reactions;
        ASSERT_TRUE(main.Create(GetModuleHandleW(nullptr), std::move(events)));
    }
    void TearDown() override { DestroyWindow(floating); }

    std::string LanguageFile(const std::string& name) const {
        return folder.Path() + "Languages\\" + name;
    }
    std::string Text(std::string_view id) const { return WindowText(main.Control(id)); }
    // The user picks the box's entry with this code (the entries come in the platform's order).
    void Choose(const char* code) {
        HWND box = main.Control(ids::kLanguage);
        int entry = 0;
        for (wchar_t text[16] = {}; entry < SendMessageW(box, CB_GETCOUNT, 0, 0); ++entry) {
            COMBOBOXEXITEMW item{};
            item.mask = CBEIF_TEXT;
            item.iItem = entry;
            item.pszText = text;
            item.cchTextMax = 16;
            SendMessageW(box, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
            if (Narrow(text) == code) {
                break;
            }
        }
        SendMessageW(box, CB_SETCURSEL, entry, 0);
        SendMessageW(main.Handle(), WM_COMMAND,
                     MAKEWPARAM(CommandIdOf(ids::kLanguage), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(box));
    }

    testing::TempProgramFolder folder{false};
    HWND floating = nullptr;
    PopupMenu menu;
    ControlReactions reactions;
    MainWindow main;
    LanguageCode language;
    MemorySettingsStore store;
    testing::RecordingBoxes boxes;
    RegionalFormats formats;
    MonthChartWindow month{language, formats};
    LanguageSwitch languages{
        language, folder.Path(),
        LanguageWindows{[this] { return floating; }, [this] { return menu.Handle(); }, &main,
                        [this] { return month.Handle(); }, [this] { month.LanguageChanged(); }}};
    Win32SettingsControls controls{[this](std::string_view id) { return main.Control(id); }};
};

TEST_F(Languages, EngChangesEveryKindOfCaptionAndNothingElseAndRusRestoresThem) {
    testing::WriteFileBytes(LanguageFile("Rus.lang"), ShippedFile("Rus"));
    testing::WriteFileBytes(LanguageFile("Eng.lang"), ShippedFile("Eng"));
    SetWindowTextUtf8(main.Control(ids::kTimeFile), "C:\\ding.wav");
    SendMessageW(main.Control(ids::kSpeedThreshold), CB_SETCURSEL, 2, 0);
    languages.BuildLanguageListAndApply(store);  // Language absent: "eng" chooses Eng

    HWND box = main.Control(ids::kLanguage);
    ASSERT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(controls.Text(ids::kLanguage), "Eng");
    EXPECT_EQ(language.Text(), "Eng");
    EXPECT_TRUE(IsWindowEnabled(box));
    EXPECT_EQ(testing::TabCaption(main.Tabs(), 0), "Information");
    EXPECT_EQ(WindowText(main.Page(5)), "Settings");
    EXPECT_EQ(Text("Label17"), "Name");
    EXPECT_EQ(Text("GroupBox1"), "Show the following information");
    EXPECT_EQ(Text(ids::kShowBytesRecv), "Bytes received");
    EXPECT_EQ(Text(ids::kTimeChart), "Time");
    EXPECT_EQ(testing::ColumnCaption(main.Control(ids::kSessionList), 10), "Average speed (KBps)");
    EXPECT_EQ(testing::ColumnCaption(main.Control("ListView3"), 0), "Device Name");
    EXPECT_EQ(MenuText(menu.Handle(), 9), "Connect");
    EXPECT_EQ(MenuText(menu.Handle(), 12), "Exit");
    EXPECT_EQ(MenuText(menu.Handle(), 2), "Detailed statistics");  // named like its page
    // Figures, fields, the list's choice and the separator stay.
    EXPECT_EQ(Text("Label20"), "0");
    EXPECT_EQ(Text(ids::kTimeFile), "C:\\ding.wav");
    EXPECT_EQ(Text(ids::kSpeedThreshold), "33600");
    EXPECT_NE(GetMenuState(menu.Handle(), 8, MF_BYPOSITION) & MF_SEPARATOR, 0u);
    EXPECT_EQ(main.StatusText(), "");

    // The shipped UTF-16 file gives the Russian captions on a Western system too.
    ASSERT_NE(GetACP(), 1251u);
    Choose("Rus");
    EXPECT_EQ(language.Text(), "Rus");
    EXPECT_EQ(Text("Label17"), "Название");
    EXPECT_EQ(testing::TabCaption(main.Tabs(), 5), "Настройки");
    EXPECT_EQ(MenuText(menu.Handle(), 10), "Отключить");
    EXPECT_EQ(MenuText(menu.Handle(), 12), "Выход");
    EXPECT_EQ(MenuText(menu.Handle(), 2), "Подробная статистика");
    EXPECT_EQ(testing::ColumnCaption(main.Control(ids::kSessionList), 4), "Принято(Байт)");
    EXPECT_EQ(Text("Label29").back(), ' ');  // the quoted value keeps its last blank
}

// A file without a byte-order mark is read in the system's code page (Windows-1252 in the test
// prefix: the Cyrillic code page needs a Russian locale these machines do not have).
TEST_F(Languages, AnAnsiFileMatchesKeysWithoutRegardToCaseAndListItemsAreReplacedInPlace) {
    ASSERT_EQ(GetACP(), 1252u);
    testing::WriteFileBytes(LanguageFile("Fra.lang"),
                            "[form1]\r\ncheckbox11=Octets re\xE7us\r\nComboBox22=trente-trois\r\n");
    store.Write("Language", "FRA");
    SetWindowTextUtf8(main.Control(ids::kSpeedThreshold), "12345");
    languages.BuildLanguageListAndApply(store);
    EXPECT_EQ(Text(ids::kShowBytesRecv), "Octets reçus");
    EXPECT_EQ(ItemText(main.Control(ids::kSpeedThreshold), 2), "trente-trois");
    EXPECT_EQ(ItemText(main.Control(ids::kSpeedThreshold), 3), "48000");
    EXPECT_EQ(Text(ids::kSpeedThreshold), "12345");
}

TEST_F(Languages, EnglishLangIsListedAsEngAndAppliesEngLangMadeWithTheCaptionsOnly) {
    testing::WriteFileBytes(LanguageFile("English.lang"), ShippedFile("Eng"));
    languages.BuildLanguageListAndApply(store);
    EXPECT_EQ(controls.Text(ids::kLanguage), "Eng");
    EXPECT_EQ(Text("Label17"), "Название");
    wchar_t section[256] = {};
    const std::wstring made = Widen(LanguageFile("Eng.lang"));
    // Each section holds one entry: the text, its end, and the end of the section.
    GetPrivateProfileSectionW(L"Form1", section, 256, made.c_str());
    EXPECT_EQ(Narrow(section), "Form1=Orvane");
    EXPECT_EQ(section[wcslen(section) + 1], L'\0');
    GetPrivateProfileSectionW(L"Form2", section, 256, made.c_str());
    EXPECT_EQ(Narrow(section), "Form2=ORVMainWindow");
    EXPECT_EQ(section[wcslen(section) + 1], L'\0');
}

// The box is a list to choose from: no name can be typed into it, and the arrow keys choose
// (and apply) the entry they show.
TEST_F(Languages, TheBoxRefusesTypingAndTheArrowKeysApplyWhatTheyShow) {
    testing::WriteFileBytes(LanguageFile("Rus.lang"), ShippedFile("Rus"));
    testing::WriteFileBytes(LanguageFile("Eng.lang"), ShippedFile("Eng"));
    languages.BuildLanguageListAndApply(store);
    HWND box = main.Control(ids::kLanguage);
    EXPECT_EQ(SendMessageW(box, CBEM_GETEDITCONTROL, 0, 0), 0);
    HWND list = reinterpret_cast<HWND>(SendMessageW(box, CBEM_GETCOMBOCONTROL, 0, 0));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(GetWindowLongW(list, GWL_STYLE) & CBS_DROPDOWNLIST, CBS_DROPDOWNLIST);
    SendMessageW(list, WM_CHAR, 'X', 0);
    SendMessageW(list, WM_CHAR, 'y', 0);
    EXPECT_TRUE(controls.Text(ids::kLanguage) == "Eng" || controls.Text(ids::kLanguage) == "Rus");

    const std::string before = language.Text();
    const WPARAM key = SendMessageW(box, CB_GETCURSEL, 0, 0) == 0 ? VK_DOWN : VK_UP;
    SendMessageW(list, WM_KEYDOWN, key, 0);
    EXPECT_NE(controls.Text(ids::kLanguage), before);
    EXPECT_EQ(language.Text(), controls.Text(ids::kLanguage)) << "shown is applied";
}

TEST_F(Languages, AStoredLanguageWithoutAFileIsKeptAndNothingIsApplied) {
    testing::WriteFileBytes(LanguageFile("Eng.lang"), ShippedFile("Eng"));
    store.Write("Language", "Deu");
    languages.BuildLanguageListAndApply(store);
    EXPECT_EQ(SendMessageW(main.Control(ids::kLanguage), CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(controls.Text(ids::kLanguage), "Deu");
    EXPECT_EQ(Text("Label17"), "Название");
    EXPECT_FALSE(GetFileAttributesW(Widen(LanguageFile("Deu.lang")).c_str()) !=
                 INVALID_FILE_ATTRIBUTES);
}

TEST_F(Languages, AFileThatCannotBeWrittenIsAppliedAndSaysSoInTheStatusBar) {
    const std::string path = LanguageFile("Eng.lang");
    testing::WriteFileBytes(path, "[Form1]\r\nLabel17=Name\r\n");
    {
        // Held open for reading only, the file can be read but not written by anyone (a
        // read-only attribute would not stop the administrator these tests may run as).
        const UniqueHandle held(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                            nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        languages.BuildLanguageListAndApply(store);
    }
    EXPECT_EQ(Text("Label17"), "Name");
    EXPECT_EQ(main.StatusText(), "Unable to write to " + path);
}

// The shipped files hold every caption a start writes, so a folder no one may write changes
// nothing at start or at a switch, and says nothing; a refused write is told once per file.
TEST_F(Languages, InstalledFilesAreOnlyReadAndARefusalIsToldOncePerFile) {
    testing::WriteFileBytes(LanguageFile("Eng.lang"), ShippedFile("Eng"));
    testing::WriteFileBytes(LanguageFile("Rus.lang"), ShippedFile("Rus"));
    testing::WriteFileBytes(LanguageFile("Deu.lang"), "[Form1]\r\nLabel17=Name\r\n");
    std::vector<UniqueHandle> held;
    for (const char* name : {"Eng.lang", "Rus.lang", "Deu.lang"}) {
        held.emplace_back(CreateFileW(Widen(LanguageFile(name)).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held.back()) << name;
    }
    languages.BuildLanguageListAndApply(store);
    Choose("Rus");
    EXPECT_EQ(Text("Label17"), "Название");
    Choose("Eng");
    EXPECT_EQ(Text("Label17"), "Name");
    EXPECT_EQ(main.StatusText(), "");

    Choose("Deu");
    EXPECT_EQ(main.StatusText(), "Unable to write to " + LanguageFile("Deu.lang"));
    main.SetStatusText("");
    Choose("Eng");
    Choose("Deu");
    EXPECT_EQ(main.StatusText(), "");
}

// The month window: one at a time, its texts by the language, an unreadable date left out.
void AddSession(SessionList& list, std::string_view received, std::string_view end) {
    list.AddRow();
    for (std::string_view text :
         {std::string_view("Home"), std::string_view("anna"), std::string_view("01:00:00"),
          std::string_view("115200"), received, std::string_view("0"), std::string_view("1.1.1.1"),
          std::string_view("2.2.2.2"), end, end, std::string_view("1")}) {
        list.AddText(text);
    }
}

std::vector<std::string> MonthLabels(HWND window) {
    std::vector<std::string> texts;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        texts.push_back(WindowText(child));
    }
    return texts;
}

int MonthWindowsOfThisProcess() {
    int count = 0;
    for (HWND window = FindWindowExW(nullptr, nullptr, kMonthStatisticsClass, nullptr); window;
         window = FindWindowExW(nullptr, window, kMonthStatisticsClass, nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        count += process == GetCurrentProcessId() ? 1 : 0;
    }
    return count;
}

TEST_F(Languages, ShowDetailTwiceLeavesOneWindowWhoseTextsFollowTheLanguage) {
    formats.shortDate = "dd.MM.yyyy";
    formats.longTime = "H:mm:ss";
    SessionList list;
    AddSession(list, "300", "15.01.2006 10:00:00");
    AddSession(list, "100", "15.02.2005 10:00:00");
    month.Show(list, MonthChartKind::Received);
    HWND first = month.Handle();
    month.Show(list, MonthChartKind::Received);
    EXPECT_FALSE(IsWindow(first));
    ASSERT_NE(month.Handle(), nullptr);
    EXPECT_EQ(MonthWindowsOfThisProcess(), 1);
    EXPECT_EQ(WindowText(month.Handle()), "Received Bytes on Months");
    RECT client{};
    GetClientRect(month.Handle(), &client);
    EXPECT_EQ(client.right, kMonthClientWidth);
    EXPECT_EQ(client.bottom, kMonthClientHeight);
    const auto labels = MonthLabels(month.Handle());
    ASSERT_EQ(labels.size(), 24u);
    EXPECT_EQ(labels[0], "January:  ");
    EXPECT_EQ(labels[1], "300");
    EXPECT_EQ(labels[3], "100");

    language.Set("rus");
    month.LanguageChanged();
    EXPECT_EQ(WindowText(month.Handle()), "Распределение принятых байт по месяцам");
    EXPECT_EQ(MonthLabels(month.Handle())[0], "Январь:  ");

    SendMessageW(month.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(month.Handle(), nullptr);

    // An end that does not read as a date leaves its row out; the window says so, in the
    // language chosen.
    AddSession(list, "1", "someday");
    month.Show(list, MonthChartKind::Received);
    ASSERT_NE(month.Handle(), nullptr);
    const auto withNote = MonthLabels(month.Handle());
    ASSERT_EQ(withNote.size(), 25u);
    EXPECT_EQ(withNote[24], "Не учтено сеансов: 1 (дата окончания не читается)");
    EXPECT_EQ(withNote[1], "300");
    EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
}  // namespace orv
