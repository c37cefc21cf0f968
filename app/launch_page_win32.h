#pragma once
// The launcher page "Запуск приложений" on its Win32 controls: the list view's rows, check
// boxes and selection, the four buttons and the three fields, and their notifications passed
// to the page's reactions.

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "app/control_reactions_win32.h"
#include "app/page_layout.h"
#include "launcher/launch_page.h"

namespace orv {

class Win32LaunchPageView final : public LaunchPageView {
  public:
    // `control` finds a page control by identifier; the list shows `pictures`.
    Win32LaunchPageView(std::function<HWND(std::string_view)> control, HIMAGELIST pictures);
    ~Win32LaunchPageView();
    Win32LaunchPageView(const Win32LaunchPageView&) = delete;
    Win32LaunchPageView& operator=(const Win32LaunchPageView&) = delete;

    // Lets the page's reactions answer its controls' notifications.
    void Register(ControlReactions& controls, LaunchPage& page);
    static std::span<const ReactionRow<Win32LaunchPageView>> Reactions() { return kReactions; }

    void AppendRow(const LaunchEntry& entry) override;
    void ShowRow(int index, const LaunchEntry& entry) override;
    void RemoveRow(int index) override;
    void SelectRow(int index) override;
    int SelectedRow() const override;
    void EnableButton(LaunchButton button, bool on) override;
    void EnableFields(bool on) override;
    std::string FieldText(LaunchField field) const override;
    void SetFieldText(LaunchField field, std::string_view text) override;
    std::string Item(LaunchField field, int index) const override;

  private:
    using View = Win32LaunchPageView;
    static const ReactionRow<View> kReactions[8];

    HWND Control(std::string_view id) const { return control_(id); }
    HWND List() const { return Control(ids::kLaunchList); }
    HWND Field(LaunchField field) const;
    // Runs the reaction unless the page itself is changing the controls.
    void React(const std::function<void()>& reaction) const;
    void ComboChanged(LaunchField field, int code);
    void ListChanged(const NMHDR& header);

    std::function<HWND(std::string_view)> control_;
    LaunchPage* page_ = nullptr;
    // Set while the page itself changes the controls: what they report then is no user's act.
    bool quiet_ = false;
};

}  // namespace orv
