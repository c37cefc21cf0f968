#pragma once
// Who answers a control's notifications. Each page registers the reactions of its own controls
// by identifier; the main window dispatches by lookup, so adding a page touches no central
// switch.

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace orv {

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
};

}  // namespace orv
