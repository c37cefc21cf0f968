#pragma once
// The dial page's actions: dial (Button3Click), hang up (Button2Click), the progress texts of a
// dial (DialStateText) and redial until success, all on the interface thread.

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
    // The language of the dialer's own texts; none: as designed (Russian).
    const LanguageCode* language = nullptr;
};

class Dialer {
  public:
    explicit Dialer(DialerPorts ports) : ports_(ports) {}

    // "Dial": hangs up the current connection and starts an asynchronous dial of the chosen
    // entry or of the typed number. Also the remote command 13 and each redial.
    void Button3Click();
    // "HangUp": hangs up the current connection; also ends a redial cycle. Also the remote
    // command 14 and the threshold events' hang-up.
    void Button2Click();
    // The status text of a progress step; with redial on, a failure that a new attempt can
    // cure queues that attempt.
    std::string DialStateText(std::uint32_t state, RasResult error);
    // The queued redial arrives: it runs unless "HangUp", a new dial or the switch ended it.
    void RedialDue();

    bool RedialPending() const { return redialPending_; }

  private:
    void ProgressArrived(const DialProgress& progress);
    // The reason the form cannot be dialed, for the message box; nothing when it fits.
    std::optional<std::string> Refusal(const DialForm& form) const;
    bool Russian() const { return ports_.language == nullptr || ports_.language->IsRussian(); }

    DialerPorts ports_;
    bool redialPending_ = false;
};

}  // namespace orv
