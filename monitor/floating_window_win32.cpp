#include "monitor/floating_window_win32.h"

#include "app/stored_colour_win32.h"

namespace orv {
namespace {

constexpr int kOuterWidth = FloatingDrawing::kWidth + 2 * kFloatingFrame;
constexpr int kOuterHeight = FloatingDrawing::kHeight + 2 * kFloatingFrame;

}  // namespace

FloatingWindow::FloatingWindow(const DrawingColours& colours)
    : colours_(colours),
      picture_(FloatingDrawing::kWidth, FloatingDrawing::kHeight),
      drawing_(picture_, colours_, [this] {
          if (window_) {
              InvalidateRect(window_, nullptr, FALSE);
          }
      }) {}

FloatingWindow::~FloatingWindow() {
    if (window_) {
        DestroyWindow(window_);
    }
}

bool FloatingWindow::Create(HINSTANCE instance, FloatingWindowEvents events) {
    events_ = std::move(events);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kFloatingWindowClass;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    // A tool window keeps the program off the taskbar; WS_POPUP gives no caption or border.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kFloatingWindowClass,
                              kFloatingWindowCaption, WS_POPUP, 0, 0, kOuterWidth, kOuterHeight,
                              nullptr, nullptr, instance, this);
    if (!window_) {
        return false;
    }
    if (events_.readStartupFlag) {
        shownAtStart_ = events_.readStartupFlag();
    }
    return true;
}

void FloatingWindow::Show() {
    PlaceAtWorkAreaCorner();
    ShowWindow(window_, SW_SHOWNOACTIVATE);
}

void FloatingWindow::Hide() {
    ShowWindow(window_, SW_HIDE);
}

void FloatingWindow::SetStayOnTop(bool on) {
    SetWindowPos(window_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FloatingWindow::SetAlpha(int alpha) {
    const LONG_PTR style = GetWindowLongPtrW(window_, GWL_EXSTYLE);
    if (alpha >= 255) {
        SetWindowLongPtrW(window_, GWL_EXSTYLE, style & ~WS_EX_LAYERED);
        return;
    }
    SetWindowLongPtrW(window_, GWL_EXSTYLE, style | WS_EX_LAYERED);
    SetLayeredWindowAttributes(window_, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
}

void FloatingWindow::RedrawFrame() {
    InvalidateRect(window_, nullptr, TRUE);
}

void FloatingWindow::PlaceAtWorkAreaCorner() {
    RECT workArea;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    SetWindowPos(window_, nullptr, workArea.right - kOuterWidth, workArea.bottom - kOuterHeight, 0,
                 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FloatingWindow::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    RECT outer;
    GetClientRect(window_, &outer);
    HBRUSH frame = CreateSolidBrush(ToColorRef(colours_.border));
    FillRect(dc, &outer, frame);
    DeleteObject(frame);
    picture_.CopyTo(dc, kFloatingFrame, kFloatingFrame);
    EndPaint(window_, &paint);
}

LRESULT CALLBACK FloatingWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<FloatingWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->window_) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT FloatingWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_CLOSE:
            // Any close request ends the program: the exit sequence runs once, then the loop ends.
            if (!closing_) {
                closing_ = true;
                if (events_.closing) {
                    events_.closing();
                }
                DestroyWindow(window_);
            }
            return 0;
        case WM_DESTROY:
            window_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

}  // namespace orv
