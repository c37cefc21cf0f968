#include "base/win32/message_loop.h"

namespace orv {

int RunMessageLoop(HWND dialogWindow, const bool& ended,
                   const std::function<bool(const MSG&)>& preTranslate) {
    MSG message{};
    while (!ended && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (preTranslate && preTranslate(message)) {
            continue;
        }
        if (!IsDialogMessageW(dialogWindow, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return ended ? 0 : static_cast<int>(message.wParam);
}

}  // namespace orv
