#pragma once
// The dial page's actions: dial (Button3Click), hang up (Button2Click), the progress texts of a
// dial (DialStateText) and redial until success, all on the interface thread. A dial first hangs
// up what it replaces and waits, on a timer step, until the service has released the line.

#include <cstdint>
#include <optional>
#include <string>

#include "base/dialog_ports.h"
#include "base/language_code.h"
#include "dialer/dialer_ports.h"
#include "monitor/connection_source.h"
#include "monitor/current_connection.h"

namespace orv {

struct DialerPorts {
    DialService& service;
    CurrentConnection& current;
    DialControls& controls;
    StatusPanel& status;
    DialQueue& queue;
    MessageBoxes& boxes;  // input that does not fit
    ReleaseTimer& timer;
    const LanguageCode& language;  // of the texts the dialer builds
};

class Dialer {
  public:
    // The release wait: a check every kReleaseStepMs, and the dial goes ahead after
    // kReleaseLimitMs even if the service still holds the line.
    static constexpr unsigned kReleaseStepMs = 200;
    static constexpr std::uint64_t kReleaseLimitMs = 10000;

    explicit Dialer(DialerPorts ports) : ports_(ports) {}

    // "Dial": hangs up the current connection and, once the service has released it, starts an
    // asynchronous dial of the chosen entry or of the typed number. Also the remote command 13
    // and each redial. Ignored while a dial is being started.
    void Button3Click();
    // "HangUp": hangs up the current connection or the dial in progress; also ends a redial
    // cycle and a dial still waiting to start. Also the remote command 14.
    void Button2Click();
    // The threshold events' hang-up: ends a connected line and says a rule ended it. Leaves a
    // dial that is being started or in progress alone.
    void HangUpByRule();
    // The status text of a progress step; with redial on, a failure that a new attempt can
    // cure queues that attempt.
    std::string DialStateText(std::uint32_t state, RasResult error);
    // The queued redial arrives: it runs unless "HangUp", a new dial or the switch ended it.
    void RedialDue();
    // A step of the release wait.
    void ReleaseCheckDue();
    // The program ends: a dial that has not connected is hung up (nobody would follow its
    // progress or release its handle), a wait or a queued redial is dropped. Lines stay up.
    void EndOfRun();

    bool RedialPending() const { return redialPending_; }
    // From "Dial" until the service has accepted the dial (the release wait included).
    bool Starting() const { return phase_ == Phase::Releasing || phase_ == Phase::Starting; }

  private:
    enum class Phase { Idle, Releasing, Starting, Dialing };

    void StartAttempt();
    void DialNow();
    void ProgressArrived(unsigned dialNumber, const DialProgress& progress);
    // Hangs up the current connection and the dial in progress; true when one was hung up.
    bool HangUpHeld();
    void ReleaseFailedDial();
    // True once every line the program hung up has been released.
    bool LinesReleased();
    void DropPendingDial();
    std::string Text(std::string_view russian, std::string_view english) const;
    std::string NumberedText(const std::string& text) const;
    // The reason the form cannot be dialed, for the message box; nothing when it fits.
    std::optional<std::string> Refusal(const DialForm& form) const;
    bool Russian() const { return ports_.language.IsRussian(); }

    DialerPorts ports_;
    Phase phase_ = Phase::Idle;
    bool redialPending_ = false;
    bool cancelled_ = false;             // "HangUp" while the queue was pumped before a dial
    std::optional<DialParams> pending_;  // the request that waits for the release
    std::uint64_t releaseStartedMs_ = 0;
    unsigned dialNumber_ = 0;  // tells a dial's progress from an earlier one's
    int attempt_ = 0;          // within the current redial cycle
    std::string failureText_;  // the failed attempt's text, kept for the wait
};

}  // namespace orv
