#pragma once
// The program's message loop. It ends on WM_QUIT and also as soon as `ended` holds after a
// message: a nested loop of the system (Wine's move loop peeks every message) can swallow the
// quit message, and the exit must not depend on it.

#include <windows.h>

#include <functional>

namespace orv {

// Messages for dialogWindow go through IsDialogMessage, after `preTranslate` (when given) has
// had the chance to take a message first. Returns the exit code.
int RunMessageLoop(HWND dialogWindow, const bool& ended,
                   const std::function<bool(const MSG&)>& preTranslate = {});

}  // namespace orv
