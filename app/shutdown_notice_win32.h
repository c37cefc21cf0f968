#pragma once
// The notice before a shut-down: a message box over the main window that counts the seconds
// down in its text, then answers for the user; Cancel stops the shut-down, OK goes on at once.

#include <windows.h>

#include <functional>

#include "app/shutdown.h"
#include "base/language_code.h"

namespace orv {

class MessageBoxShutdownNotice final : public ShutdownNotice {
  public:
    MessageBoxShutdownNotice(std::function<HWND()> owner, const LanguageCode& language)
        : owner_(std::move(owner)), language_(language) {}

    bool CountDown(int seconds) override;

  private:
    std::function<HWND()> owner_;
    const LanguageCode& language_;
};

}  // namespace orv
