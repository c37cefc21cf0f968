#pragma once
// Who answers a control's notifications. Each page registers the reactions of its own controls
// by identifier, from a table that names the control and its handler side by side; the main
// window dispatches by lookup, so adding a page touches no central switch. A control has one
// reaction: a second registration for it is a mistake, kept out and listed by Duplicates().

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <span>
#include <string_view>
#include <vector>

namespace orv {

// One row of a page's reaction table: the control's identifier as the layout tables name it,
// and what answers it (one of the three). The handlers keep the names of the design
// (Button3Click answers "BitBtn1"), so the row is where a reader finds both.
template <typename Page>
struct ReactionRow {
    std::string_view control;
    void (*click)(Page&) = nullptr;              // BN_CLICKED only
    void (*command)(Page&, int code) = nullptr;  // every WM_COMMAND, with its code
    void (*notify)(Page&, const NMHDR&) = nullptr;
};

class ControlReactions {
  public:
    using CommandReaction = std::function<void(int notifyCode)>;
    using NotifyReaction = std::function<LRESULT(const NMHDR& header)>;
    using Reaction = std::function<void()>;

    // Every WM_COMMAND the control sends, with its notification code.
    void OnCommand(std::string_view id, CommandReaction reaction);
    // Only BN_CLICKED: a button pressed, a switch or choice toggled.
    void OnClick(std::string_view id, Reaction reaction);
    void OnNotify(std::string_view id, NotifyReaction reaction);
    // A slider moved.
    void OnScroll(std::string_view id, Reaction reaction);
    void OnPageShown(int page, Reaction reaction);
    void OnPageLeft(int page, Reaction reaction);
    // Told the control's identifier after every command and scroll notification, once its
    // reaction (if any) has run: whatever the notification changed is in the control by then.
    void AfterEach(std::function<void(std::string_view id)> observer);
    // Every row of a page's table, answered by `page`.
    template <typename Page>
    void Register(std::span<const ReactionRow<Page>> rows, Page& page);

    // The identifiers (and pages, as their numbers) registered a second time; the first
    // reaction stayed.
    const std::vector<std::string>& Duplicates() const { return duplicates_; }

    // Called by the main window; a control nobody registered is ignored.
    void Command(std::string_view id, int notifyCode) const;
    LRESULT Notify(std::string_view id, const NMHDR& header) const;
    void Scrolled(std::string_view id) const;
    void PageShown(int page) const;
    void PageLeft(int page) const;

  private:
    std::map<std::string, CommandReaction, std::less<>> commands_;
    std::map<std::string, NotifyReaction, std::less<>> notifications_;
    std::map<std::string, Reaction, std::less<>> scrolls_;
    std::map<int, Reaction> shown_;
    std::map<int, Reaction> left_;
    std::function<void(std::string_view)> afterEach_;
    std::vector<std::string> duplicates_;
};

template <typename Page>
void ControlReactions::Register(std::span<const ReactionRow<Page>> rows, Page& page) {
    for (const ReactionRow<Page>& row : rows) {
        if (row.click) {
            OnClick(row.control, [&page, click = row.click] { click(page); });
        } else if (row.command) {
            OnCommand(row.control, [&page, command = row.command](int code) { command(page, code); });
        } else if (row.notify) {
            OnNotify(row.control, [&page, notify = row.notify](const NMHDR& header) -> LRESULT {
                notify(page, header);
                return 0;
            });
        }
    }
}

}  // namespace orv
