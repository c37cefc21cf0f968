#pragma once
// The session list shown in a virtual report list view (LVS_OWNERDATA): the control asks for
// the texts of the rows it draws, so 100 000 sessions show at once.

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <vector>

#include "stats/session_list.h"

namespace orv {

class SessionListView {
  public:
    SessionListView(HWND control, const SessionList& list) : control_(control), list_(list) {}

    // Shows the list's current rows, with no row selected.
    void Refresh() const;
    // Shows rows added after the ones shown; the selected rows stay selected.
    void ShowAddedRows() const;
    // Answers the control's text requests; true when the notification changed the selection.
    bool HandleNotify(const NMHDR& header) const;
    std::vector<std::size_t> SelectedRows() const;

  private:
    HWND control_;
    const SessionList& list_;
};

}  // namespace orv
