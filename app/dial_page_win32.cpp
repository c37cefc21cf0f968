#include "app/dial_page_win32.h"

#include <commctrl.h>

#include "app/digit_only_field_win32.h"
#include "app/settings_controls.h"
#include "base/win32/messages.h"
#include "base/win32/wide_text.h"
#include "base/win32/window_class.h"
#include "base/wipe_text.h"

namespace orv {
namespace {

constexpr wchar_t kQueueWindowClass[] = L"OrvaneDialQueue";
constexpr UINT kRedialMessage = messages::kDialerFirst;  // a redial is due
constexpr UINT_PTR kNoTypingId = 0x4F53;
constexpr UINT_PTR kReleaseTimerId = 1;

// The typed-parameter controls that CheckBox1Click enables when the entry list is not used.
constexpr std::string_view kTypedControls[] = {ids::kPhoneNumber, ids::kCallbackNumber,
                                               ids::kUserName,    ids::kPassword,
                                               ids::kToneDialing, ids::kPulseDialing};

// ComboBox1KeyPress: the entry list is picked from, never typed into; the arrow keys and the
// mouse still choose.
LRESULT CALLBACK DiscardTyping(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
    switch (message) {
        case WM_CHAR:
        case WM_PASTE:
        case WM_CUT:
        case WM_CLEAR:
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_DELETE) {
                return 0;
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

// A field's text, its wide copy wiped (the password field).
std::string SecretText(HWND field) {
    std::wstring wide(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    wide.resize(static_cast<std::size_t>(
        GetWindowTextW(field, wide.data(), static_cast<int>(wide.size()))));
    std::string text = Narrow(wide);
    WipeText(wide);
    return text;
}

}  // namespace

DialPage::DialPage(MainWindow& window, const DialPageServices& services)
    : window_(window),
      dialer_({services.dialing, services.current, *this, *this, *this, services.boxes, *this,
               services.language}),
      phonebook_({services.phonebook, *this, *this, *this, services.questions,
                  services.applicationWindow, window.Handle()}) {
    RegisterWindowClass({.name = kQueueWindowClass, .procedure = &QueueProc, .cursor = nullptr});
    queueWindow_ = CreateWindowExW(0, kQueueWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleW(nullptr), this);

    COMBOBOXINFO combo{};
    combo.cbSize = sizeof combo;
    if (GetComboBoxInfo(window_.Control(ids::kEntryList), &combo) && combo.hwndItem) {
        SetWindowSubclass(combo.hwndItem, DiscardTyping, kNoTypingId, 0);
    }
    // Edit1KeyPress: digits and backspace only in both number fields.
    AcceptDigitsOnly(window_.Control(ids::kPhoneNumber));
    AcceptDigitsOnly(window_.Control(ids::kCallbackNumber));
    CheckBox1Click();
}

DialPage::~DialPage() {
    if (queueWindow_ != nullptr) {
        KillTimer(queueWindow_, kReleaseTimerId);
        DestroyWindow(queueWindow_);
    }
}

LRESULT CALLBACK DialPage::QueueProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = WindowOwner<DialPage>(window, message, lParam);
    if (self != nullptr && message == kRedialMessage) {
        self->dialer_.RedialDue();
        return 0;
    }
    if (self != nullptr && message == WM_TIMER && wParam == kReleaseTimerId) {
        self->dialer_.ReleaseCheckDue();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool DialPage::Checked(std::string_view id) const {
    return SendMessageW(window_.Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void DialPage::CheckBox1Click() {
    const bool useExisting = Checked(ids::kUseExisting);
    EnableWindow(window_.Control(ids::kEntryList), useExisting);
    for (std::string_view id : kTypedControls) {
        EnableWindow(window_.Control(id), !useExisting);
    }
}

// The designer's handler names stay; the buttons' identifiers are their own.
const ReactionRow<DialPage> DialPage::kReactions[] = {
    {"CheckBox1", [](DialPage& page) { page.CheckBox1Click(); }},
    {"BitBtn1", [](DialPage& page) { page.dialer_.Button3Click(); }},     // Dial
    {"BitBtn2", [](DialPage& page) { page.dialer_.Button2Click(); }},     // HangUp
    {"BitBtn5", [](DialPage& page) { page.phonebook_.BitBtn5Click(); }},  // New
    {"BitBtn3", [](DialPage& page) { page.phonebook_.BitBtn3Click(); }},  // Edit
    {"BitBtn4", [](DialPage& page) { page.phonebook_.BitBtn4Click(); }},  // Delete
};

void DialPage::Register(ControlReactions& controls) {
    controls.Register(Reactions(), *this);
}

DialForm DialPage::ReadForm() const {
    DialForm form;
    form.useExisting = Checked(ids::kUseExisting);
    form.entryName = WindowText(window_.Control(ids::kEntryList));
    form.phoneNumber = WindowText(window_.Control(ids::kPhoneNumber));
    form.callbackNumber = WindowText(window_.Control(ids::kCallbackNumber));
    form.userName = WindowText(window_.Control(ids::kUserName));
    form.password = SecretText(window_.Control(ids::kPassword));
    form.pulse = Checked(ids::kPulseDialing);
    return form;
}

bool DialPage::RedialOn() const {
    return Checked(ids::kRedial);
}

void DialPage::SetStatusText(std::string_view text) {
    window_.SetStatusText(text);
}

void DialPage::ProcessPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the main loop to see
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void DialPage::PostRedial() {
    PostMessageW(queueWindow_, kRedialMessage, 0, 0);
}

void DialPage::StartReleaseTimer(unsigned intervalMs) {
    SetTimer(queueWindow_, kReleaseTimerId, intervalMs, nullptr);
}

void DialPage::StopReleaseTimer() {
    KillTimer(queueWindow_, kReleaseTimerId);
}

std::uint64_t DialPage::Milliseconds() const {
    return GetTickCount64();
}

void DialPage::SetEntries(const std::vector<std::string>& names) {
    HWND list = window_.Control(ids::kEntryList);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : names) {
        const std::wstring text = Widen(name);
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void DialPage::Select(std::size_t index) {
    SendMessageW(window_.Control(ids::kEntryList), CB_SETCURSEL, index, 0);
}

std::string DialPage::Text() const {
    return WindowText(window_.Control(ids::kEntryList));
}

void DialPage::AddDevice(const DeviceInfo& device) {
    HWND list = window_.Control(ids::kDeviceList);
    std::wstring name = Widen(device.name);
    std::wstring type = Widen(device.type);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = name.data();
    const auto row =
        static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    item.iItem = row;
    item.iSubItem = 1;
    item.pszText = type.data();
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

}  // namespace orv
