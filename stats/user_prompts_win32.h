#pragma once
// Questions and error reports of the statistics as message boxes over the owner window.

#include <windows.h>

#include "stats/statistics_ports.h"

namespace orv {

class MessageBoxPrompts final : public UserPrompts {
  public:
    explicit MessageBoxPrompts(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }

    // A plain Yes/No box ignores Escape and greys out its close button; here both answer No.
    bool AskYesNo(std::string_view question) override;
    void ReportError(std::string_view message) override;

  private:
    HWND owner_;
};

}  // namespace orv
