#include "app/language_windows_win32.h"

#include <commctrl.h>

#include "app/page_layout.h"
#include "base/win32/wide_text.h"
#include "monitor/popup_menu.h"

namespace orv {
namespace {

// The profile service strips trailing blanks from a default, so absence is told by a default
// no file holds, and the current text is kept as it is.
constexpr wchar_t kAbsent[] = L"\x1F\x1E";
constexpr DWORD kValueRoom = 2048;  // at most 2047 characters of a value are used

// A component without texts of its own beyond the caption.
class CaptionOnly : public TranslatableComponent {
  public:
    std::size_t TextCount() const override { return 0; }
    std::string TextAt(std::size_t) const override { return {}; }
    void SetTextAt(std::size_t, std::string_view) override {}
};

class ControlTexts final : public TranslatableComponent {
  public:
    ControlTexts(std::string_view id, HWND control)
        : id_(id), control_(control), role_(TextRoleOfControl(control)) {}
    std::string_view Identifier() const override { return id_; }
    TextRole Role() const override { return role_; }
    std::string Caption() const override { return WindowText(control_); }
    void SetCaption(std::string_view text) override { SetWindowTextUtf8(control_, text); }

    std::size_t TextCount() const override {
        if (role_ == TextRole::Items) {
            return static_cast<std::size_t>(SendMessageW(control_, CB_GETCOUNT, 0, 0));
        }
        if (role_ == TextRole::Columns) {
            const auto header = reinterpret_cast<HWND>(SendMessageW(control_, LVM_GETHEADER, 0, 0));
            return static_cast<std::size_t>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
        }
        return 0;
    }

    std::string TextAt(std::size_t index) const override {
        if (role_ == TextRole::Items) {
            const auto length = SendMessageW(control_, CB_GETLBTEXTLEN, index, 0);
            std::wstring text(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, L'\0');
            SendMessageW(control_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
            return Narrow(text.c_str());
        }
        std::wstring text(kValueRoom, L'\0');
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = text.data();
        column.cchTextMax = static_cast<int>(text.size());
        SendMessageW(control_, LVM_GETCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
        return Narrow(text.c_str());
    }

    void SetTextAt(std::size_t index, std::string_view text) override {
        std::wstring wide = Widen(text);
        if (role_ == TextRole::Columns) {
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT;
            column.pszText = wide.data();
            SendMessageW(control_, LVM_SETCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
            return;
        }
        // A list item is replaced in place; the choice and the typed text stay as they were.
        const LRESULT chosen = SendMessageW(control_, CB_GETCURSEL, 0, 0);
        const std::string typed = WindowText(control_);
        SendMessageW(control_, CB_DELETESTRING, index, 0);
        SendMessageW(control_, CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(wide.c_str()));
        SendMessageW(control_, CB_SETCURSEL, chosen, 0);
        if (chosen != static_cast<LRESULT>(index) &&
            (GetWindowLongW(control_, GWL_STYLE) & CBS_DROPDOWNLIST) == CBS_DROPDOWN) {
            SetWindowTextUtf8(control_, typed);
        }
    }

  private:
    std::string_view id_;
    HWND control_;
    TextRole role_;
};

// A page: its tab's text and the page window's caption.
class PageTexts final : public CaptionOnly {
  public:
    PageTexts(std::string_view id, HWND tabs, int index, HWND page)
        : id_(id), tabs_(tabs), index_(index), page_(page) {}
    std::string_view Identifier() const override { return id_; }
    TextRole Role() const override { return TextRole::Caption; }
    std::string Caption() const override { return WindowText(page_); }
    void SetCaption(std::string_view text) override {
        std::wstring wide = Widen(text);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = wide.data();
        SendMessageW(tabs_, TCM_SETITEMW, index_, reinterpret_cast<LPARAM>(&item));
        SetWindowTextW(page_, wide.c_str());
    }

  private:
    std::string_view id_;
    HWND tabs_;
    int index_;
    HWND page_;
};

// An entry of the pop-up menu by position; a separator reads as "-".
class MenuEntryTexts final : public CaptionOnly {
  public:
    MenuEntryTexts(std::string_view id, HMENU menu, UINT position)
        : id_(id), menu_(menu), position_(position) {}
    std::string_view Identifier() const override { return id_; }
    TextRole Role() const override { return TextRole::MenuEntry; }
    std::string Caption() const override {
        wchar_t text[kValueRoom] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = kValueRoom;
        if (!GetMenuItemInfoW(menu_, position_, TRUE, &info)) {
            return {};
        }
        return (info.fType & MFT_SEPARATOR) ? std::string("-") : Narrow(text);
    }
    void SetCaption(std::string_view text) override {
        std::wstring wide = Widen(text);
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING;
        info.dwTypeData = wide.data();
        SetMenuItemInfoW(menu_, position_, TRUE, &info);
    }

  private:
    std::string_view id_;
    HMENU menu_;
    UINT position_;
};

}  // namespace

ProfileLanguageFile::ProfileLanguageFile(std::string_view path) : path_(Widen(path)) {}

std::string ProfileLanguageFile::Text(std::string_view section, std::string_view key,
                                      std::string_view current) const {
    std::wstring value(kValueRoom, L'\0');
    GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), kAbsent, value.data(),
                             kValueRoom, path_.c_str());
    value.resize(wcslen(value.c_str()));
    return value == kAbsent ? std::string(current) : Narrow(value);
}

bool ProfileLanguageFile::Has(std::string_view section, std::string_view key) const {
    wchar_t value[4] = {};
    GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), kAbsent, value, 4,
                             path_.c_str());
    return std::wstring_view(value) != kAbsent;
}

bool ProfileLanguageFile::Write(std::string_view section, std::string_view key,
                                std::string_view value) {
    return WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(),
                                      Widen(value).c_str(), path_.c_str()) != FALSE;
}

TextRole TextRoleOfControl(HWND control) {
    wchar_t className[32] = {};
    GetClassNameW(control, className, 32);
    const auto style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    if (lstrcmpiW(className, L"Static") == 0) {
        const DWORD type = style & SS_TYPEMASK;
        return type == SS_ICON || type == SS_BITMAP ? TextRole::None : TextRole::Caption;
    }
    if (lstrcmpiW(className, L"Button") == 0) {
        return (style & (BS_ICON | BS_BITMAP)) ? TextRole::None : TextRole::Caption;
    }
    if (lstrcmpiW(className, L"ComboBox") == 0) {
        return TextRole::Items;
    }
    if (lstrcmpiW(className, WC_LISTVIEWW) == 0) {
        return TextRole::Columns;
    }
    return TextRole::None;
}

std::string ListedWindow::Caption() const {
    return WindowText(window_);
}

std::unique_ptr<ListedWindow> FloatingWindowTexts(HWND floating, HMENU menu) {
    auto window = std::make_unique<ListedWindow>("Form2", floating);
    UINT position = 0;
    for (const PopupMenuEntry& entry : PopupMenuEntries()) {
        window->Add(std::make_unique<MenuEntryTexts>(entry.id, menu, position++));
    }
    return window;
}

std::unique_ptr<ListedWindow> MainWindowTexts(const MainWindow& main) {
    auto window = std::make_unique<ListedWindow>("Form1", main.Handle());
    const auto pages = MainWindowPages();
    for (std::size_t index = 0; index < pages.size(); ++index) {
        const int page = static_cast<int>(index);
        window->Add(
            std::make_unique<PageTexts>(pages[index].id, main.Tabs(), page, main.Page(page)));
        for (const ControlSpec& control : pages[index].controls) {
            window->Add(std::make_unique<ControlTexts>(control.id, main.Control(control.id)));
        }
    }
    return window;
}

std::unique_ptr<ListedWindow> MonthWindowTexts(HWND month) {
    return std::make_unique<ListedWindow>("FrmStat", month);
}

bool LetMessagesThrough() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

}  // namespace orv
