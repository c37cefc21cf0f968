#pragma once
// The program's windows as language files see them: the floating window with its pop-up menu
// (section Form2), the main window with its pages and their controls walked over the layout
// tables (Form1), the month statistics window (FrmStat); the profile-string service over one
// file; and the pump that lets pending messages through between components.

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/language_files.h"
#include "app/main_window_win32.h"

namespace orv {

// GetPrivateProfileStringW / WritePrivateProfileStringW: ANSI files are read in the system's
// code page, UTF-16 files with a byte-order mark on every system.
class ProfileLanguageFile final : public LanguageFile {
  public:
    explicit ProfileLanguageFile(std::string_view path);
    std::string Text(std::string_view section, std::string_view key,
                     std::string_view current) const override;
    bool Has(std::string_view section, std::string_view key) const override;
    bool Write(std::string_view section, std::string_view key, std::string_view value) override;

  private:
    std::wstring path_;
};

// What kind of text a control of the layout tables carries, from the control's own window
// class and style: labels, captioned buttons, check boxes, group boxes and radio buttons have
// a caption, lists their items, list views their columns; edit fields, tool buttons with a
// picture, the language box, sliders and pictures none.
TextRole TextRoleOfControl(HWND control);

// A window whose components are listed when the walk is made.
class ListedWindow final : public TranslatableWindow {
  public:
    ListedWindow(std::string_view id, HWND window) : id_(id), window_(window) {}
    void Add(std::unique_ptr<TranslatableComponent> component) {
        components_.push_back(std::move(component));
    }
    std::string_view Identifier() const override { return id_; }
    std::string Caption() const override;
    std::size_t ComponentCount() const override { return components_.size(); }
    TranslatableComponent& ComponentAt(std::size_t index) override { return *components_[index]; }

  private:
    std::string_view id_;
    HWND window_;
    std::vector<std::unique_ptr<TranslatableComponent>> components_;
};

// Form2: the floating window and the entries of its pop-up menu.
std::unique_ptr<ListedWindow> FloatingWindowTexts(HWND floating, HMENU menu);
// Form1: each page of the tables in tab order, followed by its controls in design order.
std::unique_ptr<ListedWindow> MainWindowTexts(const MainWindow& main);
// FrmStat: its caption only; its labels are made at run time and have no identifiers.
std::unique_ptr<ListedWindow> MonthWindowTexts(HWND month);

// Dispatches the messages waiting in this thread's queue; false once the program is quitting
// (the quit message is posted again for the message loop).
bool LetMessagesThrough();

}  // namespace orv
