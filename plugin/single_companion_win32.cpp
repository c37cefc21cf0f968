#include "plugin/single_companion_win32.h"

#include <windows.h>

#include <string>

namespace orv {
namespace {

constexpr DWORD kWaitStepMs = 200;
constexpr int kWaitSteps = 25;  // five seconds for the running one to end

std::wstring Wide(std::string_view ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

// Every companion window but our own (which does not exist yet).
void AskRunningToClose() {
    const std::wstring caption = Wide(kPluginCaption);
    for (HWND window = FindWindowExW(nullptr, nullptr, nullptr, caption.c_str()); window;
         window = FindWindowExW(nullptr, window, nullptr, caption.c_str())) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
}

}  // namespace

bool ReplaceRunningCompanion(UniqueHandle& held) {
    held.Reset(CreateMutexW(nullptr, FALSE, Wide(kPluginMutexName).c_str()));
    if (!held) {
        return true;
    }
    for (int step = 0; step <= kWaitSteps; ++step) {
        // An ended companion leaves the mutex abandoned, which is ours all the same.
        const DWORD waited = WaitForSingleObject(held.Get(), step == 0 ? 0 : kWaitStepMs);
        if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
            return true;
        }
        // Asked again each step: the running one may not have made its window yet.
        AskRunningToClose();
    }
    held.Reset();
    return false;
}

}  // namespace orv
