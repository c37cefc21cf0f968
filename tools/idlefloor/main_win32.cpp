// idlefloor: the least a windowed program with a one-second timer costs while idle; the floor
// that scripts/bench-idle.sh measures the monitor against. One small visible tool window (the
// size of the floating window), a 1000 ms timer whose message does nothing, and the message
// loop. It ends on WM_CLOSE (orvdriver post OrvIdleFloor - 16 0).
#include <windows.h>

namespace {

constexpr wchar_t kClass[] = L"OrvIdleFloor";
constexpr UINT_PTR kTimer = 1;

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = FloorProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClass;
    if (!RegisterClassW(&windowClass)) {
        return 1;
    }
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClass, L"idle floor", WS_POPUP,
                                  0, 0, 176, 76, nullptr, nullptr, instance, nullptr);
    if (!window) {
        return 1;
    }
    ShowWindow(window, SW_SHOWNOACTIVATE);
    SetTimer(window, kTimer, 1000, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
