#pragma once
// The dial page "Дозвон" and the device list of page 0 over the dialer and the phonebook:
// reads the page's controls, writes the status bar, brings queued redials back to the
// interface thread, and answers the page's buttons and switches.

#include <windows.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/control_reactions_win32.h"
#include "app/main_window_win32.h"
#include "dialer/dialer.h"
#include "dialer/phonebook.h"
#include "monitor/connection_source.h"
#include "monitor/current_connection.h"
#include "stats/statistics_ports.h"

namespace orv {

// The delete question in the statistics' Yes/No box ("Information", information icon).
class PromptQuestions final : public Questions {
  public:
    explicit PromptQuestions(UserPrompts& prompts) : prompts_(prompts) {}
    bool AskYesNo(std::string_view question) override { return prompts_.AskYesNo(question); }

  private:
    UserPrompts& prompts_;
};

struct DialPageServices {
    DialService& dialing;
    PhonebookService& phonebook;
    CurrentConnection& current;
    MessageBoxes& boxes;
    Questions& questions;
    HWND applicationWindow;  // owns the new-entry dialog
    const LanguageCode& language;
};

class DialPage final : public DialControls,
                       public StatusPanel,
                       public DialQueue,
                       public ReleaseTimer,
                       public EntryList,
                       public DeviceList {
  public:
    // Create it on the interface thread, after the main window's controls.
    DialPage(MainWindow& window, const DialPageServices& services);
    ~DialPage() override;
    DialPage(const DialPage&) = delete;
    DialPage& operator=(const DialPage&) = delete;

    Dialer& Dialing() { return dialer_; }
    Phonebook& Entries() { return phonebook_; }

    // The use-existing switch: the entry list, or the typed fields and the dialing mode.
    void CheckBox1Click();
    // The reactions of the page's buttons and of its use-existing switch.
    void Register(ControlReactions& controls);
    static std::span<const ReactionRow<DialPage>> Reactions() { return kReactions; }

    DialForm ReadForm() const override;
    bool RedialOn() const override;
    void SetStatusText(std::string_view text) override;
    void ProcessPendingMessages() override;
    void PostRedial() override;
    void StartReleaseTimer(unsigned intervalMs) override;
    void StopReleaseTimer() override;
    std::uint64_t Milliseconds() const override;
    void SetEntries(const std::vector<std::string>& names) override;
    void Select(std::size_t index) override;
    std::string Text() const override;
    void AddDevice(const DeviceInfo& device) override;

  private:
    static LRESULT CALLBACK QueueProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Checked(std::string_view id) const;

    static const ReactionRow<DialPage> kReactions[6];

    MainWindow& window_;
    HWND queueWindow_ = nullptr;  // message-only; receives the queued redials and release steps
    Dialer dialer_;
    Phonebook phonebook_;
};

}  // namespace orv
