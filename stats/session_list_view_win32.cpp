#include "stats/session_list_view_win32.h"

namespace orv {

namespace {

void CopyText(std::string_view utf8, wchar_t* out, int room) {
    if (out == nullptr || room <= 0) {
        return;
    }
    const int size = static_cast<int>(utf8.size());
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out, room - 1);
    if (length == 0 && size != 0) {
        // Longer than the control's buffer: show as much as fits.
        std::wstring whole(static_cast<std::size_t>(
                               MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)),
                           L'\0');
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, whole.data(),
                            static_cast<int>(whole.size()));
        length = static_cast<int>(whole.copy(out, static_cast<std::size_t>(room - 1)));
    }
    out[length] = L'\0';
}

bool SelectionBitChanged(UINT oldState, UINT newState) {
    return ((oldState ^ newState) & LVIS_SELECTED) != 0;
}

}  // namespace

void SessionListView::Refresh() const {
    LVITEMW unselected{};
    unselected.stateMask = LVIS_SELECTED;
    SendMessageW(control_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&unselected));
    SendMessageW(control_, LVM_SETITEMCOUNT, list_.RowCount(), 0);
    InvalidateRect(control_, nullptr, TRUE);
}

void SessionListView::ShowAddedRows() const {
    // A virtual list keeps the selection of the rows it still has when it grows, and keeps
    // its scroll position with LVSICF_NOSCROLL.
    SendMessageW(control_, LVM_SETITEMCOUNT, list_.RowCount(), LVSICF_NOSCROLL);
    InvalidateRect(control_, nullptr, TRUE);
}

bool SessionListView::HandleNotify(const NMHDR& header) const {
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            auto& info = reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header));
            if ((info.item.mask & LVIF_TEXT) != 0) {
                const auto row = static_cast<std::size_t>(info.item.iItem);
                const auto column = static_cast<std::size_t>(info.item.iSubItem);
                CopyText(list_.Text(row, column), info.item.pszText, info.item.cchTextMax);
            }
            return false;
        }
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            return (change.uChanged & LVIF_STATE) != 0 &&
                   (change.iItem == -1 || SelectionBitChanged(change.uOldState, change.uNewState));
        }
        case LVN_ODSTATECHANGED: {
            const auto& change = reinterpret_cast<const NMLVODSTATECHANGE&>(header);
            return SelectionBitChanged(change.uOldState, change.uNewState);
        }
        default:
            return false;
    }
}

std::vector<std::size_t> SessionListView::SelectedRows() const {
    std::vector<std::size_t> rows;
    const auto count = SendMessageW(control_, LVM_GETSELECTEDCOUNT, 0, 0);
    rows.reserve(static_cast<std::size_t>(count));
    int index = -1;
    while ((index = static_cast<int>(SendMessageW(
                control_, LVM_GETNEXTITEM, static_cast<WPARAM>(index), LVNI_SELECTED))) != -1) {
        rows.push_back(static_cast<std::size_t>(index));
    }
    return rows;
}

}  // namespace orv
