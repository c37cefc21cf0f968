#pragma once
// The launcher page "Запуск приложений": which buttons and fields are enabled, which entry is
// selected and what the fields show, over a small view port so that host tests drive it.

#include <string>
#include <string_view>

#include "launcher/launch_list.h"

namespace orv {

enum class LaunchButton { Add, Delete, Previous, Next };
enum class LaunchField { Parameters, WindowMode, StartMoment };

// The page's controls: the list (rows mirror the entries) and the buttons and fields.
class LaunchPageView {
  public:
    virtual ~LaunchPageView() = default;
    virtual void AppendRow(const LaunchEntry& entry) = 0;
    virtual void ShowRow(int index, const LaunchEntry& entry) = 0;  // texts and check box
    virtual void RemoveRow(int index) = 0;
    virtual void SelectRow(int index) = 0;  // -1: none
    virtual int SelectedRow() const = 0;    // -1: none
    virtual void EnableButton(LaunchButton button, bool on) = 0;
    virtual void EnableFields(bool on) = 0;
    virtual std::string FieldText(LaunchField field) const = 0;
    virtual void SetFieldText(LaunchField field, std::string_view text) = 0;
    // The window-mode or start-moment drop-down's item at `index` as the box shows it now (language files translate the
    // items); empty when there is none.
    virtual std::string Item(LaunchField field, int index) const = 0;
};

class LaunchPage {
  public:
    LaunchPage(LaunchList& list, LaunchPageView& view, CommonDialogs& dialogs);

    // Shows the loaded list, nothing selected, the fields as designed.
    void ShowList();

    void SpeedButton4Click();  // Add
    void SpeedButton5Click();  // Delete
    void SpeedButton6Click();  // Previous
    void SpeedButton7Click();  // Next
    // The list's selection changed (by the user or by the page).
    void ListView2SelectItem();
    // A row's check box changed.
    void CheckChanged(int index, bool checked);
    void Edit14Exit();
    void ComboBox4Change();
    void ComboBox5Change();
    // Copies the entry's parameters, window mode and start moment into the three fields.
    void ShowLaunchEntry(int index);

  private:
    void Select(int index);
    LaunchEntry* ShownEntryPtr();
    // The item the box shows for a stored window-mode or start-moment text: the stored texts
    // stay as they were, but an English interface shows them in English.
    std::string Shown(LaunchField field, const std::string& stored) const;
    // The item index a text names, in the tables' two languages or as the box shows it; -1
    // for any other text.
    int ItemIndexOf(LaunchField field, std::string_view text) const;

    LaunchList& list_;
    LaunchPageView& view_;
    CommonDialogs& dialogs_;
    int shown_ = -1;
};

// "C:\a\b.exe" to "b.exe" and "C:\a\".
struct SplitProgramPath {
    std::string fileName;
    std::string folder;
};
SplitProgramPath SplitPath(std::string_view path);

}  // namespace orv
