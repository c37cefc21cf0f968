#include "app/launch_page_win32.h"

#include "base/win32/wide_text.h"

namespace orv {
namespace {

class Quiet {
  public:
    explicit Quiet(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~Quiet() { flag_ = before_; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

  private:
    bool& flag_;
    bool before_;
};

void SetCell(HWND list, int row, int column, std::string_view text) {
    std::wstring wide = Widen(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

void SetRowState(HWND list, int row, UINT state, UINT mask) {
    LVITEMW item{};
    item.stateMask = mask;
    item.state = state;
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

std::string_view ButtonId(LaunchButton button) {
    switch (button) {
        case LaunchButton::Add:
            return ids::kAddProgram;
        case LaunchButton::Delete:
            return ids::kDeleteProgram;
        case LaunchButton::Previous:
            return ids::kPreviousProgram;
        case LaunchButton::Next:
            return ids::kNextProgram;
    }
    return {};
}

}  // namespace

Win32LaunchPageView::Win32LaunchPageView(std::function<HWND(std::string_view)> control,
                                         HIMAGELIST pictures)
    : control_(std::move(control)) {
    SendMessageW(List(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(pictures));
}

Win32LaunchPageView::~Win32LaunchPageView() {
    // The pictures may go before the list does.
    if (IsWindow(List())) {
        SendMessageW(List(), LVM_SETIMAGELIST, LVSIL_SMALL, 0);
    }
}

// The four buttons' handlers carry the designer's names SpeedButton4Click to SpeedButton7Click,
// whose identifiers belong to buttons of other pages: these buttons are numbered on.
const ReactionRow<Win32LaunchPageView> Win32LaunchPageView::kReactions[] = {
    {"SpeedButton10", [](View& view) { view.React([&] { view.page_->SpeedButton4Click(); }); }},
    {"SpeedButton11", [](View& view) { view.React([&] { view.page_->SpeedButton5Click(); }); }},
    {"SpeedButton12", [](View& view) { view.React([&] { view.page_->SpeedButton6Click(); }); }},
    {"SpeedButton13", [](View& view) { view.React([&] { view.page_->SpeedButton7Click(); }); }},
    {.control = "Edit14",
     .command =
         [](View& view, int code) {
             if (code == EN_KILLFOCUS) {
                 view.React([&] { view.page_->Edit14Exit(); });
             }
         }},
    {.control = "ComboBox4",
     .command =
         [](View& view, int code) {
             view.React([&] { view.ComboChanged(LaunchField::WindowMode, code); });
         }},
    {.control = "ComboBox5",
     .command =
         [](View& view, int code) {
             view.React([&] { view.ComboChanged(LaunchField::StartMoment, code); });
         }},
    {.control = "ListView2",
     .notify = [](View& view, const NMHDR& header) { view.React([&] { view.ListChanged(header); }); }},
};

void Win32LaunchPageView::Register(ControlReactions& controls, LaunchPage& page) {
    page_ = &page;
    controls.Register(Reactions(), *this);
}

void Win32LaunchPageView::React(const std::function<void()>& reaction) const {
    if (page_ && !quiet_) {
        reaction();
    }
}

void Win32LaunchPageView::ComboChanged(LaunchField field, int code) {
    if (code == CBN_SELCHANGE) {
        // The box reports a chosen item before its text shows it.
        HWND combo = Field(field);
        const LRESULT chosen = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        if (chosen == CB_ERR) {
            return;
        }
        std::wstring text(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, chosen, 0)),
                          L'\0');
        SendMessageW(combo, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(text.data()));
        const Quiet quiet(quiet_);
        SetWindowTextW(combo, text.c_str());
    } else if (code != CBN_EDITCHANGE) {
        return;
    }
    if (field == LaunchField::WindowMode) {
        page_->ComboBox4Change();
    } else {
        page_->ComboBox5Change();
    }
}

void Win32LaunchPageView::ListChanged(const NMHDR& header) {
    if (header.code != LVN_ITEMCHANGED) {
        return;
    }
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if ((change.uChanged & LVIF_STATE) == 0 || change.iItem < 0) {
        return;
    }
    const UINT changed = change.uNewState ^ change.uOldState;
    const UINT image = (change.uNewState & LVIS_STATEIMAGEMASK) >> 12;
    if ((changed & LVIS_STATEIMAGEMASK) != 0 && image != 0) {
        page_->CheckChanged(change.iItem, image == 2);
    }
    if ((changed & LVIS_SELECTED) != 0) {
        page_->ListView2SelectItem();
    }
}

void Win32LaunchPageView::AppendRow(const LaunchEntry& entry) {
    const Quiet quiet(quiet_);
    std::wstring name = Widen(entry.fileName);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0));
    item.pszText = name.data();
    item.iImage = entry.picture;
    const int row =
        static_cast<int>(SendMessageW(List(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row >= 0) {
        ShowRow(row, entry);
    }
}

void Win32LaunchPageView::ShowRow(int index, const LaunchEntry& entry) {
    const Quiet quiet(quiet_);
    HWND list = List();
    SetCell(list, index, 0, entry.fileName);
    SetCell(list, index, 1, entry.folder);
    SetCell(list, index, 2, entry.parameters);
    SetCell(list, index, 3, entry.windowMode);
    SetCell(list, index, 4, entry.startMoment);
    SetRowState(list, index, INDEXTOSTATEIMAGEMASK(entry.enabled ? 2 : 1), LVIS_STATEIMAGEMASK);
}

void Win32LaunchPageView::RemoveRow(int index) {
    const Quiet quiet(quiet_);
    SendMessageW(List(), LVM_DELETEITEM, index, 0);
}

void Win32LaunchPageView::SelectRow(int index) {
    const Quiet quiet(quiet_);
    HWND list = List();
    SetRowState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (index >= 0) {
        SetRowState(list, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        SendMessageW(list, LVM_ENSUREVISIBLE, index, FALSE);
    }
}

int Win32LaunchPageView::SelectedRow() const {
    return static_cast<int>(
        SendMessageW(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void Win32LaunchPageView::EnableButton(LaunchButton button, bool on) {
    EnableWindow(Control(ButtonId(button)), on ? TRUE : FALSE);
}

void Win32LaunchPageView::EnableFields(bool on) {
    for (LaunchField field :
         {LaunchField::Parameters, LaunchField::WindowMode, LaunchField::StartMoment}) {
        EnableWindow(Field(field), on ? TRUE : FALSE);
    }
}

std::string Win32LaunchPageView::FieldText(LaunchField field) const {
    return WindowText(Field(field));
}

void Win32LaunchPageView::SetFieldText(LaunchField field, std::string_view text) {
    const Quiet quiet(quiet_);
    SetWindowTextUtf8(Field(field), text);
}

std::string Win32LaunchPageView::Item(LaunchField field, int index) const {
    HWND combo = Field(field);
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return Narrow(text);
}

HWND Win32LaunchPageView::Field(LaunchField field) const {
    switch (field) {
        case LaunchField::Parameters:
            return Control(ids::kLaunchParameters);
        case LaunchField::WindowMode:
            return Control(ids::kWindowMode);
        case LaunchField::StartMoment:
            return Control(ids::kStartMoment);
    }
    return nullptr;
}

}  // namespace orv
