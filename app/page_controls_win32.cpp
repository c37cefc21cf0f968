#include "app/page_controls_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "app/colour_swatch_win32.h"
#include "app/picture_box_win32.h"
#include "base/win32/wide_text.h"

namespace orv {
namespace {

constexpr int kDropDownListHeight = 120;
constexpr int kUpDownStep = 10;

struct WindowKind {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

WindowKind KindOf(const ControlSpec& layout, bool startsChoiceGroup) {
    switch (layout.kind) {
        case ControlKind::Label:
            // A one-line text too long for its label (an entry name) ends with an ellipsis
            // rather than being cut silently.
            return {L"STATIC",
                    SS_LEFT | SS_NOPREFIX |
                        (layout.rect.height <= 16 ? DWORD{SS_ENDELLIPSIS} : DWORD{0}),
                    0};
        case ControlKind::GroupBox:
            return {L"BUTTON", BS_GROUPBOX, 0};
        case ControlKind::CheckBox:
            return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
        case ControlKind::RadioButton:
            return {L"BUTTON",
                    BS_AUTORADIOBUTTON | WS_TABSTOP | (startsChoiceGroup ? WS_GROUP : 0u), 0};
        case ControlKind::Edit:
            return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ControlKind::Password:
            return {L"EDIT", ES_AUTOHSCROLL | ES_PASSWORD | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ControlKind::UpDown:
            return {UPDOWN_CLASSW, UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0};
        case ControlKind::ComboBox:
            return {L"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0};
        case ControlKind::ListView:
            return {WC_LISTVIEWW, LVS_REPORT | LVS_SHOWSELALWAYS | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ControlKind::VirtualList:
            return {WC_LISTVIEWW, LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDATA | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        case ControlKind::CheckList:
            // The page owns the picture list, so the list must not destroy it.
            return {
                WC_LISTVIEWW,
                LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_SHAREIMAGELISTS | WS_TABSTOP,
                WS_EX_CLIENTEDGE};
        case ControlKind::TrackBar:
            return {TRACKBAR_CLASSW, TBS_HORZ | TBS_BOTTOM | WS_TABSTOP, 0};
        case ControlKind::ColourSwatch:
            return {RegisterColourSwatchClass(), 0, 0};
        case ControlKind::PictureButton:
            return {L"BUTTON", BS_PUSHBUTTON | BS_ICON | BS_FLAT, 0};
        case ControlKind::Button:
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::GraphArea:
            return {RegisterPictureBoxClass(), 0, 0};
        case ControlKind::Icon:
            return {L"STATIC", SS_ICON, 0};
        case ControlKind::LinkLabel:
            return {L"STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0};
        case ControlKind::PictureList:
            // A list to choose from, not a field: what it shows is always an entry it holds,
            // and every change of it (the arrow keys too) reports a choice.
            return {WC_COMBOBOXEXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    }
    return {L"STATIC", 0, 0};
}

void AddColumns(HWND list, const ControlSpec& layout) {
    int index = 0;
    for (const ControlItem& item : layout.items) {
        std::wstring text = Widen(item.text);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = text.data();
        column.cx = item.width;
        SendMessageW(list, LVM_INSERTCOLUMNW, index++, reinterpret_cast<LPARAM>(&column));
    }
}

void AddItems(HWND combo, const ControlSpec& layout) {
    for (const ControlItem& item : layout.items) {
        const std::wstring text = Widen(item.text);
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

// What each kind needs beyond its window: columns, items, ranges, the up/down's buddy.
void Configure(HWND control, const ControlSpec& layout, HWND previous) {
    switch (layout.kind) {
        case ControlKind::Password:
            SendMessageW(control, EM_SETPASSWORDCHAR, L'*', 0);
            break;
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            SendMessageW(control, BM_SETCHECK, layout.checked ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case ControlKind::VirtualList:
        case ControlKind::ListView:
            SendMessageW(control, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                         LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
            AddColumns(control, layout);
            break;
        case ControlKind::CheckList:
            SendMessageW(control, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                         LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
            AddColumns(control, layout);
            break;
        case ControlKind::ComboBox: {
            AddItems(control, layout);
            // A designed text that is one of the items is that item chosen, so a language file
            // that renames the item renames what the field shows too.
            const auto item = std::find_if(layout.items.begin(), layout.items.end(),
                                           [&](const ControlItem& i) { return i.text == layout.caption; });
            if (item != layout.items.end()) {
                SendMessageW(control, CB_SETCURSEL, item - layout.items.begin(), 0);
            } else {
                SetWindowTextUtf8(control, layout.caption);
            }
            break;
        }
        case ControlKind::PictureList: {
            // The designed entry, without a picture until the program gives the list its own.
            std::wstring text = Widen(layout.caption);
            COMBOBOXEXITEMW item{};
            item.mask = CBEIF_TEXT;
            item.iItem = 0;
            item.pszText = text.data();
            SendMessageW(control, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
            SendMessageW(control, CB_SETCURSEL, 0, 0);
            break;
        }
        case ControlKind::UpDown: {
            SendMessageW(control, UDM_SETBUDDY, reinterpret_cast<WPARAM>(previous), 0);
            SendMessageW(control, UDM_SETRANGE32, layout.low, layout.high);
            UDACCEL step{0, static_cast<UINT>(layout.step != 0 ? layout.step : kUpDownStep)};
            SendMessageW(control, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
            break;
        }
        case ControlKind::TrackBar:
            SendMessageW(control, TBM_SETRANGEMIN, FALSE, layout.low);
            SendMessageW(control, TBM_SETRANGEMAX, FALSE, layout.high);
            SendMessageW(control, TBM_SETTICFREQ, 20, 0);
            SendMessageW(control, TBM_SETPOS, TRUE, layout.high);
            break;
        default:
            break;
    }
}

bool IsDropDown(const ControlSpec& layout) {
    return layout.kind == ControlKind::ComboBox || layout.kind == ControlKind::PictureList;
}

// The control's window rectangle at this DPI; a drop-down list's includes its open list.
PixelRect Bounds(const ControlSpec& layout, int dpi) {
    PixelRect bounds = ScaleToDpi(layout.rect, dpi);
    if (IsDropDown(layout)) {
        bounds.height += ScaleToDpi(kDropDownListHeight, dpi);
    }
    return bounds;
}

void ScaleColumns(HWND control, const ControlSpec& layout, int fromDpi, int toDpi) {
    const bool isList = layout.kind == ControlKind::ListView ||
                        layout.kind == ControlKind::VirtualList ||
                        layout.kind == ControlKind::CheckList;
    for (int column = 0; isList && column < static_cast<int>(layout.items.size()); ++column) {
        const auto width = static_cast<int>(SendMessageW(control, LVM_GETCOLUMNWIDTH, column, 0));
        SendMessageW(control, LVM_SETCOLUMNWIDTH, column, MulDiv(width, toDpi, fromDpi));
    }
}

HWND CreateTooltips(HWND page) {
    return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, page,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

void AddHint(HWND tooltips, HWND page, HWND control, std::string_view hint) {
    std::wstring text = Widen(hint);
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = page;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text.data();
    SendMessageW(tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace

HWND PageControls::CreateControl(HWND page, const ControlSpec& layout, int commandId, int dpi) {
    const bool startsChoiceGroup =
        controls_.empty() || controls_.back().layout->kind != ControlKind::RadioButton;
    const WindowKind kind = KindOf(layout, startsChoiceGroup);
    const std::wstring caption = IsDropDown(layout) ? std::wstring() : Widen(layout.caption);
    const PixelRect bounds = Bounds(layout, dpi);
    return CreateWindowExW(
        kind.exStyle, kind.className, caption.c_str(),
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style | (layout.disabled ? WS_DISABLED : 0u),
        bounds.x, bounds.y, bounds.width, bounds.height, page,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(commandId)), GetModuleHandleW(nullptr),
        nullptr);
}

void PageControls::CreatePage(HWND page, const PageSpec& layout, HFONT font, int dpi) {
    dpi_ = dpi;
    HWND previous = nullptr;
    for (const ControlSpec& control : layout.controls) {
        const int commandId = kFirstCommandId + static_cast<int>(controls_.size());
        HWND window = CreateControl(page, control, commandId, dpi);
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        Configure(window, control, previous);
        ScaleColumns(window, control, kDesignDpi, dpi);
        if (!control.hint.empty()) {
            if (!tooltips_) {
                tooltips_ = CreateTooltips(page);
            }
            AddHint(tooltips_, page, window, control.hint);
        }
        byId_.emplace(control.id, controls_.size());
        controls_.push_back({&control, window});
        previous = window;
    }
    // Group boxes lie under their contents and the graph over the label it covers.
    for (const ControlSpec& control : layout.controls) {
        if (control.kind == ControlKind::GroupBox) {
            SetWindowPos(Find(control.id), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        } else if (control.kind == ControlKind::GraphArea) {
            SetWindowPos(Find(control.id), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        }
    }
}

void PageControls::Rescale(int dpi, HFONT font) {
    for (const Created& control : controls_) {
        // The font first: a drop-down list sizes its field by the font it has.
        SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        const PixelRect bounds = Bounds(*control.layout, dpi);
        SetWindowPos(control.window, nullptr, bounds.x, bounds.y, bounds.width, bounds.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        ScaleColumns(control.window, *control.layout, dpi_, dpi);
        if (control.layout->kind == ControlKind::PictureList) {
            FitDropDownToItems(control.window);
        }
        InvalidateRect(control.window, nullptr, TRUE);
    }
    dpi_ = dpi;
}

std::string PictureListEntryText(HWND list, LRESULT index) {
    wchar_t text[MAX_PATH] = {};
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT;
    item.iItem = index;
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    SendMessageW(list, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return Narrow(text);
}

void FitDropDownToItems(HWND list) {
    const auto count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    if (count <= 0) {
        return;
    }
    const auto field = static_cast<int>(SendMessageW(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    const auto item = static_cast<int>(SendMessageW(list, CB_GETITEMHEIGHT, 0, 0));
    RECT now;
    GetWindowRect(list, &now);
    // The field, the items and the open list's border.
    const int height = field + count * item + 2 * GetSystemMetrics(SM_CYEDGE) + 2;
    SetWindowPos(list, nullptr, 0, 0, now.right - now.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND PageControls::Find(std::string_view id) const {
    const auto found = byId_.find(id);
    return found == byId_.end() ? nullptr : controls_[found->second].window;
}

std::string_view PageControls::IdOf(UINT_PTR commandId) const {
    if (commandId < static_cast<UINT_PTR>(kFirstCommandId)) {
        return {};
    }
    const std::size_t index = commandId - kFirstCommandId;
    return index < controls_.size() ? controls_[index].layout->id : std::string_view();
}

namespace {

struct ControlSearch {
    int commandId;
    HWND found;
};

BOOL CALLBACK MatchCommandId(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<ControlSearch*>(data);
    if (GetDlgCtrlID(window) == search.commandId) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindPageControl(HWND mainWindow, std::string_view id) {
    ControlSearch search{CommandIdOf(id), nullptr};
    if (mainWindow != nullptr && search.commandId != 0) {
        EnumChildWindows(mainWindow, MatchCommandId, reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

int CommandIdOf(std::string_view id) {
    int commandId = kFirstCommandId;
    for (const PageSpec& page : MainWindowPages()) {
        for (const ControlSpec& control : page.controls) {
            if (control.id == id) {
                return commandId;
            }
            ++commandId;
        }
    }
    return 0;
}

namespace {

// One of comctl32's standard bitmaps as an image list: the 16-pixel set or, for a larger
// picture, the 24-pixel one, so that an enlarged icon starts from the finer drawing.
ImageList StandardImages(WORD small, WORD large, bool big) {
    const WORD resource = big ? large : small;
    const int size = big ? 24 : 16;
    return ImageList(ImageList_LoadImageW(GetModuleHandleW(L"comctl32.dll"),
                                          MAKEINTRESOURCEW(resource), size, 0, CLR_DEFAULT,
                                          IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

// The list's picture as a new icon of `size` pixels.
IconHandle IconOfSize(const ImageList& list, int image, int size) {
    if (!list) {
        return {};
    }
    IconHandle icon(ImageList_GetIcon(list.Get(), image, ILD_TRANSPARENT));
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(list.Get(), &width, &height);
    if (!icon || width == size) {
        return icon;
    }
    return IconHandle(static_cast<HICON>(CopyImage(icon.Get(), IMAGE_ICON, size, size, 0)));
}

// The lists are loaded once and kept for the life of the process.
IconHandle HistoryIcon(int image, int size) {
    constexpr WORD kHistorySmall = 130;  // back, forward
    constexpr WORD kHistoryLarge = 131;
    static const ImageList small = StandardImages(kHistorySmall, kHistoryLarge, false);
    static const ImageList large = StandardImages(kHistorySmall, kHistoryLarge, true);
    return IconOfSize(size > 16 ? large : small, image, size);
}

// The standard picture the main image list's picture is drawn from.
int StandardPicture(MainImage image) {
    switch (image) {
        case MainImage::Open:
            return STD_FILEOPEN;
        case MainImage::Save:
            return STD_FILESAVE;
        case MainImage::Print:
            return STD_PRINT;
        case MainImage::Detail:
            return STD_PROPERTIES;
        case MainImage::Delete:
            return STD_DELETE;
        case MainImage::New:
            return STD_FILENEW;
        case MainImage::Back:
        case MainImage::Forward:
            break;
    }
    return -1;
}

}  // namespace

IconHandle MainImageListIcon(MainImage image, int dpi) {
    // The main image list's pictures come from the common controls' standard images.
    constexpr WORD kStandardSmall = 120;
    constexpr WORD kStandardLarge = 121;
    static const ImageList small = StandardImages(kStandardSmall, kStandardLarge, false);
    static const ImageList large = StandardImages(kStandardSmall, kStandardLarge, true);
    const int size = ScaleToDpi(16, dpi);
    if (image == MainImage::Back || image == MainImage::Forward) {
        return HistoryIcon(image == MainImage::Back ? HIST_BACK : HIST_FORWARD, size);
    }
    return IconOfSize(size > 16 ? large : small, StandardPicture(image), size);
}

}  // namespace orv
