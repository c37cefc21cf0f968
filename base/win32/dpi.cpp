#include "base/win32/dpi.h"

#include "base/win32/resources.h"

namespace orv {
namespace {

using GetDpiForWindowEntry = UINT(WINAPI*)(HWND);
using ParametersForDpiEntry = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

template <typename Entry>
Entry User32Entry(const char* name) {
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(found));
}

int ScreenDpi() {
    const WindowDc screen(nullptr);
    const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

int WindowDpi(HWND window) {
    static const auto entry = User32Entry<GetDpiForWindowEntry>("GetDpiForWindow");
    const int dpi = entry && window ? static_cast<int>(entry(window)) : 0;
    return dpi > 0 ? dpi : ScreenDpi();
}

void ResizeToClient(HWND window, SIZE client) {
    RECT outer;
    RECT inner;
    GetWindowRect(window, &outer);
    GetClientRect(window, &inner);
    SetWindowPos(window, nullptr, 0, 0, client.cx + (outer.right - outer.left) - inner.right,
                 client.cy + (outer.bottom - outer.top) - inner.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ResizeToClientCentred(HWND window, SIZE client) {
    ResizeToClient(window, client);
    RECT outer;
    GetWindowRect(window, &outer);
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT CreateMessageFont(int dpi) {
    static const auto entry = User32Entry<ParametersForDpiEntry>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (entry &&
        entry(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(dpi))) {
        return CreateFontIndirectW(&metrics.lfMessageFont);
    }
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        return CreatePointFont(8, L"MS Shell Dlg", dpi);
    }
    // The system's metrics are for the screen's DPI.
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, ScreenDpi());
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

HFONT CreatePointFont(int points, const wchar_t* face, int dpi) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(points, dpi, 72);
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

}  // namespace orv
