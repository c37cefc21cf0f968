// drawfloor: the second floor of scripts/bench-idle.sh, a program that does each second exactly
// the visible work the monitor does in a session and nothing else: it draws the floating
// window's 170x70 picture with the monitor's own drawing code, copies it to its window, and
// sets the tray icon's tip. The live-session case measured against it shows what following the
// connection costs beyond showing it. It ends on WM_CLOSE (orvdriver post OrvDrawFloor - 16 0).
#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>

#include "base/win32/resources.h"
#include "base/win32/window_class.h"
#include "monitor/drawing_colours.h"
#include "monitor/floating_drawing.h"
#include "monitor/gdi_canvas_win32.h"

namespace {

constexpr wchar_t kClass[] = L"OrvDrawFloor";
constexpr UINT_PTR kTimer = 1;
constexpr UINT kIconId = 1;
// The traffic of the live case's scenario: bytes a second each way.
constexpr std::int32_t kReceivedPerSecond = 4800;
constexpr std::int32_t kSentPerSecond = 350;

struct Floor {
    orv::DrawingColours colours;
    orv::GdiCanvas picture{orv::FloatingDrawing::kWidth, orv::FloatingDrawing::kHeight};
    orv::FloatingDrawing drawing;
    HWND window = nullptr;
    std::uint64_t received = 0;
    std::uint64_t sent = 0;
    std::uint32_t seconds = 0;

    Floor()
        : drawing(picture, colours, [this] { InvalidateRect(window, nullptr, FALSE); }) {}
};

Floor* floorOf = nullptr;

std::string Duration(std::uint32_t seconds) {
    char text[16];
    std::snprintf(text, sizeof text, "%u:%02u:%02u", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

NOTIFYICONDATAW IconData(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = kIconId;
    return data;
}

// One tick: the figures move as in the live case, the picture is drawn and shown, the tip set.
void Tick(Floor& floor) {
    ++floor.seconds;
    floor.received += kReceivedPerSecond;
    floor.sent += kSentPerSecond;
    const std::string duration = Duration(floor.seconds);
    const std::string speed = std::to_string(kReceivedPerSecond / 1024) + " KB/s";
    floor.drawing.DrawFloatingConnected(
        {floor.received, floor.sent, duration, speed, "0,01", kReceivedPerSecond, kSentPerSecond});

    const std::wstring tip = L"Orvane\nIn: " + std::to_wstring(floor.received) + L"\nOut: " +
                             std::to_wstring(floor.sent) + L"\nTime: " +
                             std::wstring(duration.begin(), duration.end());
    NOTIFYICONDATAW data = IconData(floor.window);
    data.uFlags = NIF_TIP;
    std::wcsncpy(data.szTip, tip.c_str(), std::size(data.szTip) - 1);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            Tick(*floorOf);
            return 0;
        case WM_PAINT: {
            const orv::PaintDc dc(window);
            floorOf->picture.CopyTo(dc.Get(), 0, 0);
            return 0;
        }
        case WM_DESTROY: {
            NOTIFYICONDATAW data = IconData(window);
            Shell_NotifyIconW(NIM_DELETE, &data);
            PostQuitMessage(0);
            return 0;
        }
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    Floor floor;
    floorOf = &floor;
    if (!orv::RegisterWindowClass({.name = kClass, .procedure = FloorProc})) {
        return 1;
    }
    floor.window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClass, L"draw floor",
                                   WS_POPUP, 0, 0, orv::FloatingDrawing::kWidth,
                                   orv::FloatingDrawing::kHeight, nullptr, nullptr, instance,
                                   nullptr);
    if (!floor.window) {
        return 1;
    }
    NOTIFYICONDATAW data = IconData(floor.window);
    data.uFlags = NIF_ICON | NIF_TIP;
    data.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    std::wcscpy(data.szTip, L"Orvane");
    Shell_NotifyIconW(NIM_ADD, &data);
    floor.drawing.DrawFloatingIdle();
    ShowWindow(floor.window, SW_SHOWNOACTIVATE);
    SetTimer(floor.window, kTimer, 1000, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
