// The dial page on the real main window against the emulated remote-access service: its
// controls, the entry and device lists, the phonebook buttons, dial progress, redial, the wait
// for a released line, and the handles it hangs up.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/dial_page_win32.h"
#include "app/settings_controls.h"
#include "base/win32/wide_text.h"
#include "monitor/monitor_tick.h"
#include "monitor/ras_connection_source_win32.h"
#include "tests/common/emulated_ras_scenario.h"
#include "tests/common/monitor_tick_fakes.h"

namespace orv {
namespace {

using testing::EmulatedScenario;
using testing::PumpMessagesUntil;

class RecordingBoxes final : public MessageBoxes {
  public:
    std::vector<std::string> errors;
    void ShowError(std::string_view title, std::string_view text) override {
        errors.push_back(std::string(title) + ": " + std::string(text));
    }
    void ShowPlain(std::string_view, std::string_view) override {}
};

// The seam for the delete question: answers as told, records what was asked.
class ScriptedQuestions final : public Questions {
  public:
    bool answer = true;
    std::vector<std::string> asked;
    bool AskYesNo(std::string_view question) override {
        asked.emplace_back(question);
        return answer;
    }
};

// Every text written to the status bar, in order.
LRESULT CALLBACK RecordStatus(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR texts) {
    if (message == SB_SETTEXTW && LOBYTE(wParam) == 0) {
        reinterpret_cast<std::vector<std::string>*>(texts)->push_back(
            Narrow(reinterpret_cast<const wchar_t*>(lParam)));
    }
    return DefSubclassProc(bar, message, wParam, lParam);
}

class DialPageTest : public ::testing::Test {
  protected:
    void Open(std::string_view scenarioText) {
        scenario = std::make_unique<EmulatedScenario>(scenarioText);
        MainWindowEvents events;
        events.controls = &reactions;
        ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr), std::move(events)));
        SetWindowSubclass(window.StatusBar(), RecordStatus, 1,
                          reinterpret_cast<DWORD_PTR>(&statusTexts));
        page = std::make_unique<DialPage>(
            window,
            DialPageServices{source, source, current, boxes, questions, window.Handle(), language});
        page->Register(reactions);
        page->Entries().LoadPhonebookEntries();
        page->Entries().LoadDevices();
    }
    void TearDown() override {
        if (current.handle != 0) {
            source.HangUp(current.handle);
        }
    }

    HWND Control(std::string_view id) const { return window.Control(id); }
    void Click(std::string_view id) { SendMessageW(Control(id), BM_CLICK, 0, 0); }
    int EntryCount() const {
        return static_cast<int>(SendMessageW(Control(ids::kEntryList), CB_GETCOUNT, 0, 0));
    }
    void Choose(std::string_view entry) {
        const std::wstring text = Widen(entry);
        SendMessageW(Control(ids::kEntryList), CB_SELECTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(text.c_str()));
    }
    bool WaitForStatus(std::string_view text, DWORD timeoutMs = 10000) {
        return PumpMessagesUntil([&] { return window.StatusText() == text; }, timeoutMs);
    }

    std::unique_ptr<EmulatedScenario> scenario;
    ControlReactions reactions;
    MainWindow window;
    Win32ConnectionSource source;
    CurrentConnection current;
    LanguageCode language;  // English
    RecordingBoxes boxes;
    ScriptedQuestions questions;
    std::vector<std::string> statusTexts;
    std::unique_ptr<DialPage> page;
};

BOOL CALLBACK CollectTooltips(HWND window, LPARAM found) {
    wchar_t name[64];
    GetClassNameW(window, name, 64);
    if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    }
    return TRUE;
}

// The hint of a control, as the page's tooltips hold it.
std::string HintOf(HWND control) {
    std::vector<HWND> tips;
    EnumThreadWindows(GetCurrentThreadId(), CollectTooltips, reinterpret_cast<LPARAM>(&tips));
    for (HWND tip : tips) {
        wchar_t text[256] = {};
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = GetParent(control);
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = text;
        SendMessageW(tip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
        if (text[0] != L'\0') {
            return Narrow(text);
        }
    }
    return {};
}

TEST_F(DialPageTest, ControlsCarryTheirCaptionsHintsAndStates) {
    Open("");
    const struct {
        std::string_view id, caption, hint;
    } expected[] = {
        {ids::kUseExisting, "Использовать имеющиеся", ""},
        {"Label23", "Телефон", ""},
        {"Label26", "Пароль", ""},
        {"RadioGroup1", "Тип набора номера", ""},
        {ids::kToneDialing, "Тоновый", ""},
        {ids::kPulseDialing, "Импульсный", ""},
        {ids::kDial, "Dial", "Connect to Internet"},
        {ids::kHangUp, "HangUp", "Hang up current connection"},
        {"GroupBox7", "Параметры", ""},
        {ids::kRedial, "Перезванивать", "Dial up until succes"},
        {ids::kNewEntry, "New", "Create new connection"},
        {ids::kEditEntry, "Edit", "Edit current Phonebook Entire"},
        {ids::kDeleteEntry, "Delete", "Delete current PhoneBook Entire"},
    };
    for (const auto& control : expected) {
        ASSERT_NE(Control(control.id), nullptr) << control.id;
        EXPECT_EQ(WindowText(Control(control.id)), control.caption) << control.id;
        EXPECT_EQ(HintOf(Control(control.id)), control.hint) << control.id;
    }
    EXPECT_EQ(HintOf(Control(ids::kEntryList)), "Available Connections");
    EXPECT_EQ(SendMessageW(Control(ids::kPulseDialing), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(Control(ids::kPassword), EM_GETPASSWORDCHAR, 0, 0), L'*');

    // Use-existing on at start: the list is enabled, the typed fields and the mode are not.
    const std::string_view typed[] = {ids::kPhoneNumber, ids::kCallbackNumber, ids::kUserName,
                                      ids::kPassword,    ids::kToneDialing,    ids::kPulseDialing};
    EXPECT_TRUE(IsWindowEnabled(Control(ids::kEntryList)));
    for (std::string_view id : typed) {
        EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
    }
    Click(ids::kUseExisting);
    EXPECT_FALSE(IsWindowEnabled(Control(ids::kEntryList)));
    for (std::string_view id : typed) {
        EXPECT_TRUE(IsWindowEnabled(Control(id))) << id;
    }

    // Digits and backspace only in the number fields; nothing can be typed into the list.
    for (const wchar_t key : {L'5', L'a', L' ', L'7', L'\b'}) {
        SendMessageW(Control(ids::kPhoneNumber), WM_CHAR, key, 0);
        SendMessageW(Control(ids::kCallbackNumber), WM_CHAR, key, 0);
    }
    EXPECT_EQ(WindowText(Control(ids::kPhoneNumber)), "5");
    EXPECT_EQ(WindowText(Control(ids::kCallbackNumber)), "5");
    COMBOBOXINFO combo{};
    combo.cbSize = sizeof combo;
    ASSERT_TRUE(GetComboBoxInfo(Control(ids::kEntryList), &combo));
    SendMessageW(combo.hwndItem, WM_CHAR, L'x', 0);
    EXPECT_EQ(WindowText(Control(ids::kEntryList)), "");

    HWND devices = Control(ids::kDeviceList);
    EXPECT_EQ(SendMessageW(devices, LVM_GETCOLUMNWIDTH, 0, 0), 240);
    EXPECT_EQ(SendMessageW(devices, LVM_GETCOLUMNWIDTH, 1, 0), 100);
    const auto extended = SendMessageW(devices, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    EXPECT_TRUE(extended & LVS_EX_GRIDLINES);
    EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);
    EXPECT_EQ(GetWindowLongW(devices, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
}

TEST_F(DialPageTest, EntriesAndDevicesComeFromTheServiceAllOfThem) {
    std::string text = "device \"Standard Modem\" modem\ndevice \"Tunnel\" vpn\n";
    for (int entry = 0; entry < 150; ++entry) {
        text += "entry \"Line " + std::to_string(entry) + "\"\n";
    }
    Open(text);
    EXPECT_EQ(EntryCount(), 150);
    EXPECT_EQ(WindowText(Control(ids::kEntryList)), "Line 0");
    EXPECT_EQ(window.StatusText(), "");
    HWND devices = Control(ids::kDeviceList);
    ASSERT_EQ(SendMessageW(devices, LVM_GETITEMCOUNT, 0, 0), 2);
    wchar_t cell[64] = {};
    LVITEMW item{};
    item.iSubItem = 1;
    item.pszText = cell;
    item.cchTextMax = 64;
    SendMessageW(devices, LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(Narrow(cell), "vpn");
    item.iSubItem = 0;
    SendMessageW(devices, LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(Narrow(cell), "Tunnel");
}

TEST_F(DialPageTest, NewEditAndDeleteGoThroughTheDialogsAndReloadTheList) {
    Open(R"(
dialogs cancel
entry "Home ISP"
entry "Office"
create "New line" phone 5550100
edit "Office" name "Head office"
)");
    ASSERT_EQ(EntryCount(), 2);
    Click(ids::kNewEntry);
    EXPECT_EQ(EntryCount(), 3);
    EXPECT_EQ(WindowText(Control(ids::kEntryList)), "New line");  // the entry just made

    Choose("Office");
    Click(ids::kEditEntry);
    EXPECT_EQ(EntryCount(), 3);
    EXPECT_EQ(WindowText(Control(ids::kEntryList)), "Head office");

    questions.answer = false;
    Click(ids::kDeleteEntry);
    EXPECT_EQ(questions.asked,
              std::vector<std::string>{"Do you want to delete connection: Head office"});
    EXPECT_EQ(EntryCount(), 3);
    EXPECT_EQ(WindowText(Control(ids::kEntryList)), "Head office");

    questions.answer = true;
    Click(ids::kDeleteEntry);
    EXPECT_EQ(EntryCount(), 2);
    EXPECT_EQ(WindowText(Control(ids::kEntryList)), "Home ISP");
    std::vector<std::string> names;
    ASSERT_EQ(source.EnumEntries(names), kRasSuccess);
    EXPECT_EQ(names, (std::vector<std::string>{"Home ISP", "New line"}));
}

TEST_F(DialPageTest, DialShowsEachProgressStepInOrderUntilConnected) {
    Open(R"(
dial-step 0.05
entry "Home ISP"
session "Home ISP"
)");
    Click(ids::kDial);
    ASSERT_TRUE(WaitForStatus("Connected")) << window.StatusText();
    EXPECT_EQ(statusTexts, (std::vector<std::string>{"Open Port", "Port Opened", "Connect Device",
                                                     "Device Connected", "All Devices Connected",
                                                     "Authenticate", "Auth Notify", "Auth Project",
                                                     "Authenticated", "Projected", "Connected"}));
    EXPECT_NE(current.handle, 0u);

    // Hanging up the connected line says so.
    Click(ids::kHangUp);
    EXPECT_EQ(window.StatusText(), "Прервано пользователем...");
    EXPECT_EQ(current.handle, 0u);
}

TEST_F(DialPageTest, BusyOfficeRedialsUntilItConnectsShowingEachNumberedFailure) {
    Open(R"(
dial-step 0.05
hangup-delay 0.5
entry "Office"
dial "Office" busy busy connect
session "Office"
)");
    SendMessageW(Control(ids::kRedial), BM_SETCHECK, BST_CHECKED, 0);
    Click(ids::kDial);
    ASSERT_TRUE(WaitForStatus("Connected")) << window.StatusText();
    EXPECT_EQ(std::count(statusTexts.begin(), statusTexts.end(), "Open Port"), 3);
    std::string busyText;
    source.GetErrorString(kRasLineBusy, kDialerErrorTextChars, busyText);
    std::vector<std::string> failures;
    for (const std::string& text : statusTexts) {
        if (text.find(busyText) != std::string::npos && text.find("Waiting") == std::string::npos) {
            failures.push_back(text);
        }
    }
    EXPECT_EQ(failures,
              (std::vector<std::string>{"Attempt 1: " + busyText, "Attempt 2: " + busyText}));
    // Each failed attempt was hung up, and the next one waited for its release: no 633.
    EXPECT_EQ(scenario->HandlesNotHungUp(), 0) << scenario->HandlesReport();
    for (const std::string& text : statusTexts) {
        EXPECT_EQ(text.find("633"), std::string::npos) << text;
    }
    // Nothing more is dialed once connected.
    PumpMessagesUntil([] { return false; }, 500);
    EXPECT_EQ(std::count(statusTexts.begin(), statusTexts.end(), "Open Port"), 3);
}

TEST_F(DialPageTest, DialOverAConnectedLineConnectsOnceTheServiceHasReleasedIt) {
    Open("dial-step 0.02\nhangup-delay 1\nentry \"Home ISP\"\nsession \"Home ISP\"\n");
    Click(ids::kDial);
    ASSERT_TRUE(WaitForStatus("Connected")) << window.StatusText();
    statusTexts.clear();
    Click(ids::kDial);
    EXPECT_EQ(window.StatusText(), "Waiting for the line to be released...");
    ASSERT_TRUE(WaitForStatus("Connected")) << window.StatusText();
    EXPECT_EQ(statusTexts.front(), "Waiting for the line to be released...");
    EXPECT_EQ(statusTexts[1], "Open Port");

    // Without the wait the service refuses the dial: the device is still in use.
    const ConnectionHandle line = current.handle;
    ASSERT_EQ(source.HangUp(line), kRasSuccess);
    DialParams params;
    params.entryName = "Home ISP";
    ConnectionHandle again = 0;
    EXPECT_EQ(source.Dial(
                  params, [](const DialProgress&) {}, again),
              kRasPortNotAvailable);
    current.handle = 0;
    if (again != 0) {
        source.HangUp(again);
    }
}

TEST_F(DialPageTest, FailedDialAndDroppedLineAreHungUpAndATypedNumberIsItsOwnName) {
    Open(R"(
dial-step 0.02
hangup-delay 0.2
entry "Office"
dial "Office" busy
session "5550123"
)");
    test::EventLog log;
    test::FakeDisplay display{log};
    test::FakeGraphs graphs{log};
    test::FakeSessionStore store{log};
    test::FakeNotices notices{log};
    test::FixedClock clock;
    const RegionalFormats formats;
    ConnectionMonitor monitor{source, display, graphs, store, notices, formats, clock, current};
    const auto tickUntil = [&](const std::function<bool()>& done) {
        return PumpMessagesUntil([&] {
            monitor.MonitorTick();
            return done();
        });
    };

    Click(ids::kDial);  // busy, redial off
    std::string busyText;
    source.GetErrorString(kRasLineBusy, kDialerErrorTextChars, busyText);
    ASSERT_TRUE(WaitForStatus(busyText)) << window.StatusText();

    Click(ids::kUseExisting);
    SetWindowTextW(Control(ids::kPhoneNumber), L"5550123");
    SendMessageW(Control(ids::kToneDialing), BM_CLICK, 0, 0);
    Click(ids::kDial);
    ASSERT_TRUE(WaitForStatus("Connected")) << window.StatusText();
    ASSERT_TRUE(tickUntil([&] { return monitor.State().LineConnected; }));
    EXPECT_EQ(display.Field(DisplayField::Name), ".5550123");

    scenario->Control("drop");
    ASSERT_TRUE(tickUntil([&] { return !store.sessions.empty(); }));
    EXPECT_EQ(store.sessions[0].name, ".5550123");
    EXPECT_EQ(scenario->HandlesNotHungUp(), 0) << scenario->HandlesReport();
}

TEST_F(DialPageTest, TooLongPasswordIsRefusedAndNothingDialed) {
    language.Set("Rus");
    Open("entry \"Home ISP\"\nsession \"Home ISP\"\n");
    Click(ids::kUseExisting);
    SetWindowTextW(Control(ids::kPhoneNumber), L"5550123");
    SetWindowTextUtf8(Control(ids::kPassword), std::string(257, 'p'));
    Click(ids::kDial);
    ASSERT_EQ(boxes.errors.size(), 1u);
    EXPECT_EQ(boxes.errors[0].rfind("Ошибка: ", 0), 0u) << boxes.errors[0];
    EXPECT_NE(boxes.errors[0].find("Пароль"), std::string::npos);
    std::vector<ActiveConnection> listed;
    ASSERT_EQ(source.EnumConnections(listed), kRasSuccess);
    EXPECT_TRUE(listed.empty());
}

}  // namespace
}  // namespace orv
