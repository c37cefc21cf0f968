#pragma once
// The launcher page "Запуск приложений" on its Win32 controls: the list view's rows, check
// boxes and selection, the four buttons and the three fields, and their notifications passed
// to the page's reactions.

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>

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

    // The page whose reactions the controls' notifications run.
    void Attach(LaunchPage& page) { page_ = &page; }
    // WM_COMMAND of a page control; false when the control is not the launcher's.
    bool Command(std::string_view id, int code);
    // WM_NOTIFY of the list.
    void Notify(const NMHDR& header);

    void AppendRow(const LaunchEntry& entry) override;
    void ShowRow(int index, const LaunchEntry& entry) override;
    void RemoveRow(int index) override;
    void SelectRow(int index) override;
    int SelectedRow() const override;
    void EnableButton(LaunchButton button, bool on) override;
    void EnableFields(bool on) override;
    std::string FieldText(LaunchField field) const override;
    void SetFieldText(LaunchField field, std::string_view text) override;
    std::string FirstItem(LaunchField field) const override;

  private:
    HWND Control(std::string_view id) const { return control_(id); }
    HWND List() const { return Control(ids::kLaunchList); }
    HWND Field(LaunchField field) const;
    void ComboChanged(LaunchField field, int code);

    std::function<HWND(std::string_view)> control_;
    LaunchPage* page_ = nullptr;
    // Set while the page itself changes the controls: what they report then is no user's act.
    bool quiet_ = false;
};

}  // namespace orv
