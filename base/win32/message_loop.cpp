#include "base/win32/message_loop.h"

namespace orv {

int RunMessageLoop(HWND dialogWindow, const bool& ended) {
    MSG message{};
    while (!ended && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(dialogWindow, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return ended ? 0 : static_cast<int>(message.wParam);
}

}  // namespace orv
