#include "tools/rasemu/entry_dialog_win32.h"

#include <cstring>
#include <string_view>

namespace orv::rasemu {
namespace {

constexpr int kNameId = kEntryDialogNameId;
constexpr int kPhoneId = kEntryDialogPhoneId;
constexpr int kUserId = kEntryDialogUserId;
constexpr int kPasswordId = kEntryDialogPasswordId;
constexpr int kDeviceId = kEntryDialogDeviceId;

// Predefined window classes of a dialog template, by atom.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kComboBoxClass = 0x0085;

std::wstring Wide(std::string_view utf8) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
    return wide;
}

std::string Utf8(std::wstring_view wide) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length,
                        nullptr, nullptr);
    return utf8;
}

std::string ItemText(HWND dialog, int id) {
    const HWND item = GetDlgItem(dialog, id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
    return Utf8(text);
}

void SetItemText(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextW(dialog, id, Wide(text).c_str());
}

// A dialog template in memory: the header, then one item after another, each DWORD-aligned.
class DialogTemplate {
  public:
    DialogTemplate(std::wstring_view caption, short width, short height) {
        Dword(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
        Dword(0);
        countAt_ = words_.size();
        Word(0);
        Short(0), Short(0), Short(width), Short(height);
        Word(0);  // no menu
        Word(0);  // the standard dialog class
        Text(caption);
        Word(8);
        Text(L"MS Shell Dlg");
    }

    void Item(WORD windowClass, std::wstring_view text, int id, DWORD style, short x, short y,
              short width, short height) {
        if (words_.size() % 2 != 0) {
            Word(0);
        }
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        Short(x), Short(y), Short(width), Short(height);
        Word(static_cast<WORD>(id));
        Word(0xFFFF);
        Word(windowClass);
        Text(text);
        Word(0);  // no creation data
        ++words_[countAt_];
    }

    // The template, in memory aligned as DialogBoxIndirectParam wants it.
    std::vector<DWORD> Bytes() const {
        std::vector<DWORD> aligned((words_.size() + 1) / 2, 0);
        std::memcpy(aligned.data(), words_.data(), words_.size() * sizeof(WORD));
        return aligned;
    }

  private:
    void Word(WORD value) { words_.push_back(value); }
    void Short(short value) { words_.push_back(static_cast<WORD>(value)); }
    void Dword(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Text(std::wstring_view text) {
        words_.insert(words_.end(), text.begin(), text.end());
        Word(0);
    }

    std::vector<WORD> words_;
    std::size_t countAt_ = 0;
};

struct DialogState {
    std::wstring caption;
    const PhonebookEntry& start;
    const std::vector<std::string>& deviceNames;
    const SaveTypedEntry& save;
};

INT_PTR CALLBACK EntryDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        const auto& state = *reinterpret_cast<const DialogState*>(lParam);
        SetItemText(dialog, kNameId, state.start.name);
        SetItemText(dialog, kPhoneId, state.start.phoneNumber);
        SetItemText(dialog, kUserId, state.start.userName);
        SetItemText(dialog, kPasswordId, state.start.password);
        for (const std::string& device : state.deviceNames) {
            SendDlgItemMessageW(dialog, kDeviceId, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(Wide(device).c_str()));
        }
        SetItemText(dialog, kDeviceId, state.start.deviceName);
        return TRUE;
    }
    if (message != WM_COMMAND) {
        return FALSE;
    }
    const auto* state = reinterpret_cast<const DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    if (LOWORD(wParam) != IDOK || state == nullptr) {
        return FALSE;
    }
    PhonebookEntry typed{ItemText(dialog, kNameId),   ItemText(dialog, kPhoneId),
                         ItemText(dialog, kUserId),   ItemText(dialog, kPasswordId),
                         ItemText(dialog, kDeviceId), ""};
    const std::string problem = state->save(typed);
    if (problem.empty()) {
        EndDialog(dialog, IDOK);
    } else {
        MessageBoxW(dialog, Wide(problem).c_str(), state->caption.c_str(), MB_OK | MB_ICONWARNING);
    }
    return TRUE;
}

}  // namespace

bool ShowEntryDialog(HWND owner, const std::string& caption, const PhonebookEntry& start,
                     const std::vector<std::string>& deviceNames, const SaveTypedEntry& save) {
    DialogState state{Wide(caption), start, deviceNames, save};
    DialogTemplate layout(state.caption, 210, 122);
    struct Row {
        const wchar_t* label;
        int id;
        DWORD style;
    };
    const Row rows[] = {
        {L"Entry name:", kNameId, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
        {L"Phone number:", kPhoneId, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
        {L"User name:", kUserId, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
        {L"Password:", kPasswordId, ES_AUTOHSCROLL | ES_PASSWORD | WS_BORDER | WS_TABSTOP},
    };
    short y = 8;
    for (const Row& row : rows) {
        layout.Item(kStaticClass, row.label, -1, SS_LEFT, 7, static_cast<short>(y + 2), 60, 8);
        layout.Item(kEditClass, L"", row.id, row.style, 70, y, 133, 12);
        y = static_cast<short>(y + 18);
    }
    layout.Item(kStaticClass, L"Device:", -1, SS_LEFT, 7, static_cast<short>(y + 2), 60, 8);
    layout.Item(kComboBoxClass, L"", kDeviceId,
                CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 70, y, 133, 80);
    layout.Item(kButtonClass, L"OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 97, 100, 50, 14);
    layout.Item(kButtonClass, L"Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 153, 100, 50, 14);

    const std::vector<DWORD> bytes = layout.Bytes();
    const INT_PTR answer = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(bytes.data()), owner,
        EntryDialogProc, reinterpret_cast<LPARAM>(&state));
    return answer == IDOK;
}

}  // namespace orv::rasemu
