#pragma once
// The language box of the settings page and the language files it chooses: BuildLanguageList
// over Languages\*.lang at creation, ApplyLanguageFile at creation and on every choice in the
// box, and the LanguageCode that code-built texts follow.

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <string_view>

#include "app/control_reactions_win32.h"
#include "app/main_window_win32.h"
#include "app/settings_store.h"
#include "base/language_code.h"

namespace orv {

// The program's windows in creation order, as they are when a file is applied.
struct LanguageWindows {
    std::function<HWND()> floating;
    std::function<HMENU()> floatingMenu;
    MainWindow* main = nullptr;
    std::function<HWND()> monthChart;  // null while no month window is open
    // After a file is applied: the texts the code built follow the language.
    std::function<void()> applied;
};

class LanguageSwitch {
  public:
    LanguageSwitch(LanguageCode& language, std::string programFolder, LanguageWindows windows);

    // A choice in the box applies its file at once.
    void Register(ControlReactions& controls);
    // Creation step 4: lists the files, chooses the stored Language and applies its file. A
    // stored language no file matches is kept as the box's text and nothing is applied.
    void BuildLanguageListAndApply(const SettingsStore& store);
    // Applies <program folder>Languages\<code>.lang to every open window.
    void ApplyLanguageFile(const std::string& path);

  private:
    HWND Box() const;
    void Chosen();

    LanguageCode& language_;
    std::string programFolder_;
    LanguageWindows windows_;
    bool applying_ = false;
    bool choiceWaiting_ = false;
    // Files whose refused write the status bar has told of: once a run is enough.
    std::set<std::string> refusalsShown_;
};

}  // namespace orv
