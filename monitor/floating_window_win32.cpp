#include "monitor/floating_window_win32.h"

#include "base/dpi_scale.h"
#include "base/win32/dpi.h"
#include "base/win32/resources.h"
#include "base/win32/window_class.h"

#include <windowsx.h>

#include "monitor/popup_menu.h"
#include "monitor/tray_hint_layout.h"
#include "remote/remote_command.h"

namespace orv {
namespace {

constexpr int kOuterWidth = FloatingDrawing::kWidth + 2 * kFloatingFrame;
constexpr int kOuterHeight = FloatingDrawing::kHeight + 2 * kFloatingFrame;

// The middle of the drawing area's bottom edge, where the information hint points.
constexpr POINT kHintAnchor{FloatingDrawing::kWidth / 2, FloatingDrawing::kHeight};

static_assert(WM_USER == kRemoteCommandMessage);

// The key data of a single Tab press: repeat count 1, scan code 0x0F.
constexpr LPARAM kTabKeyData = 0x000F0001;

using SetLayeredAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

// Looked up by name, so that the program still starts where per-window alpha is missing.
SetLayeredAttributes LayeredAttributesEntry() {
    static const SetLayeredAttributes entry = [] {
        const FARPROC found =
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetLayeredWindowAttributes");
        return reinterpret_cast<SetLayeredAttributes>(reinterpret_cast<void (*)()>(found));
    }();
    return entry;
}

}  // namespace

FloatingWindow::FloatingWindow(const DrawingColours& colours, NotifyIconShell& trayShell)
    : colours_(colours),
      picture_(FloatingDrawing::kWidth, FloatingDrawing::kHeight),
      drawing_(picture_, colours_,
               [this] {
                   pictureDrawn_ = true;
                   // A hidden window is repainted whole when it is shown again.
                   if (window_ && IsWindowVisible(window_)) {
                       InvalidateRect(window_, nullptr, FALSE);
                   }
               }),
      tray_(trayShell) {}

FloatingWindow::~FloatingWindow() {
    if (window_) {
        DestroyWindow(window_);
    }
}

bool FloatingWindow::Create(HINSTANCE instance, FloatingWindowEvents events) {
    events_ = std::move(events);
    remoteCommands_ = events_.remoteCommands;
    remoteCommands_.quit = [this] { SendMessageW(window_, WM_CLOSE, 0, 0); };
    remoteCommands_.hideFloatingWindow = [this] { Hide(); };
    remoteCommands_.showFloatingWindow = [this] { Show(); };
    remoteCommands_.showPage = events_.showPage;
    // Queued, so the sender returns at once and the focus moves when the queue is next read.
    remoteCommands_.nextControl = [this] {
        PostMessageW(window_, WM_KEYDOWN, VK_TAB, kTabKeyData);
    };
    if (!RegisterWindowClass({.name = kFloatingWindowClass,
                              .procedure = WindowProc,
                              .style = CS_DBLCLKS,
                              .icon = ProgramIcon(instance, IconSize::Large),
                              .smallIcon = ProgramIcon(instance)})) {
        return false;
    }
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    // A tool window keeps the program off the taskbar; WS_POPUP gives no caption or border.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kFloatingWindowClass,
                              kFloatingWindowCaption, WS_POPUP, 0, 0, kOuterWidth, kOuterHeight,
                              nullptr, nullptr, instance, this);
    if (!window_) {
        return false;
    }
    // Enlarged for the DPI of its monitor; the frame's size is asked for again now that the
    // window answers its own messages.
    zoom_ = WholeZoom(WindowDpi(window_));
    SetWindowPos(window_, nullptr, 0, 0, kOuterWidth * zoom_, kOuterHeight * zoom_,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Placed now as well, so the hint points at the corner even if the window is never shown.
    PlaceAtWorkAreaCorner();
    // An elevated program (it writes the machine-wide Run key) would not hear the restart of
    // a non-elevated Explorer otherwise.
    ChangeWindowMessageFilterEx(window_, taskbarCreated_, MSGFLT_ALLOW, nullptr);
    hint_.Create(instance, window_);
    tray_.Add(window_, ProgramIcon(instance));
    if (events_.readStartupFlag) {
        shownAtStart_ = events_.readStartupFlag();
    }
    return true;
}

void FloatingWindow::ShowTrayBalloon(std::string_view text) {
    tray_.ShowBalloon(text);
}

void FloatingWindow::Show() {
    // The idle picture from the first moment, not black until the first tick draws.
    if (!pictureDrawn_) {
        drawing_.DrawFloatingIdle();
    }
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
    const SetLayeredAttributes setAttributes = LayeredAttributesEntry();
    if (alpha >= 255 || !setAttributes) {
        SetWindowLongPtrW(window_, GWL_EXSTYLE, style & ~WS_EX_LAYERED);
        return;
    }
    SetWindowLongPtrW(window_, GWL_EXSTYLE, style | WS_EX_LAYERED);
    setAttributes(window_, 0, static_cast<BYTE>(alpha < 0 ? 0 : alpha), LWA_ALPHA);
}

void FloatingWindow::RedrawFrame() {
    RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void FloatingWindow::PlaceAtWorkAreaCorner() {
    RECT workArea;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    SetWindowPos(window_, nullptr, workArea.right - kOuterWidth * zoom_,
                 workArea.bottom - kOuterHeight * zoom_, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FloatingWindow::Paint() {
    const PaintDc dc(window_);
    picture_.StretchTo(dc.Get(), FloatingDrawing::kWidth * zoom_, FloatingDrawing::kHeight * zoom_);
}

// The frame is the window's border, so that the client area is the drawing area itself.
void FloatingWindow::PaintFrame() {
    const WindowDc dc(window_, WindowDc::Area::WholeWindow);
    const RECT outer{0, 0, kOuterWidth * zoom_, kOuterHeight * zoom_};
    const int edge = kFloatingFrame * zoom_;
    ExcludeClipRect(dc.Get(), edge, edge, outer.right - edge, outer.bottom - edge);
    const GdiObject<HBRUSH> frame(CreateSolidBrush(colours_.border));  // already plain RGB
    FillRect(dc.Get(), &outer, frame.Get());
}

void FloatingWindow::MenuItemClick(int tag) {
    if (IsPageCommand(tag)) {
        if (events_.showPage) {
            events_.showPage(tag);
        }
    } else if (tag == kConnectCommand) {
        if (events_.connect) {
            events_.connect();
        }
    } else if (tag == kDisconnectCommand) {
        if (events_.disconnect) {
            events_.disconnect();
        }
    } else if (tag == kExitCommand) {
        // The one close path: the exit sequence runs from WM_CLOSE, once.
        SendMessageW(window_, WM_CLOSE, 0, 0);
    }
}

void FloatingWindow::TrayReport(WPARAM wParam, LPARAM lParam) {
    // NOTIFYICON_VERSION_4: the event in the low word, the pointer's screen point in wParam.
    switch (LOWORD(lParam)) {
        case WM_CONTEXTMENU:
            OpenMenu(POINT{GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)});
            break;
        case NIN_POPUPOPEN: {
            POINT anchor{kHintAnchor.x * zoom_, kHintAnchor.y * zoom_};
            ClientToScreen(window_, &anchor);
            const std::string text = events_.trayInfoText ? events_.trayInfoText() : "";
            hint_.Show(ScreenPoint{anchor.x, anchor.y}, HintBody(text));
            break;
        }
        case NIN_POPUPCLOSE:
            hint_.Hide();
            break;
        default:
            break;
    }
}

void FloatingWindow::OnRemoteCommand(WPARAM code) {
    // A word parameter wider than 32 bits is above 15 as well.
    HandleRemoteCommand(code <= 0xFFFFFFFFu ? static_cast<std::uint32_t>(code) : 0xFFFFFFFFu,
                        remoteCommands_);
}

void FloatingWindow::OnTabKey() {
    // The floating window has no controls of its own: the Tab goes to the dialog navigation of
    // the window that holds the keyboard focus (the main window while the user works in it).
    HWND focus = GetFocus();
    HWND root = focus ? GetAncestor(focus, GA_ROOT) : nullptr;
    if (!root || root == window_) {
        return;
    }
    MSG tab{focus, WM_KEYDOWN, VK_TAB, kTabKeyData, static_cast<DWORD>(GetMessageTime()), {}};
    IsDialogMessageW(root, &tab);
}

ScreenPoint FloatingWindow::ToScreen(LPARAM clientPoint) const {
    // Signed: a monitor left of or above the primary one gives negative screen points.
    POINT point{GET_X_LPARAM(clientPoint), GET_Y_LPARAM(clientPoint)};
    ClientToScreen(window_, &point);
    return ScreenPoint{point.x, point.y};
}

void FloatingWindow::OnLeftButtonDown(LPARAM clientPoint) {
    // The platform's move-by-caption: the same drag loop as a title bar's.
    const ScreenPoint at = ToScreen(clientPoint);
    ReleaseCapture();
    SendMessageW(window_, WM_NCLBUTTONDOWN, HTCAPTION,
                 MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)));
}

void FloatingWindow::OnDoubleClick() {
    if (events_.toggleMainWindow) {
        events_.toggleMainWindow();
    }
}

void FloatingWindow::OnDragButtonDown(LPARAM clientPoint) {
    RECT bounds;
    GetWindowRect(window_, &bounds);
    drag_.Begin(ToScreen(clientPoint), ScreenPoint{bounds.left, bounds.top});
    SetCapture(window_);
}

void FloatingWindow::OnMouseMove(LPARAM clientPoint) {
    const ScreenPoint threshold{GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG)};
    if (const auto to = drag_.MoveTo(ToScreen(clientPoint), threshold)) {
        SetWindowPos(window_, nullptr, to->x, to->y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool FloatingWindow::OnDragButtonUp() {
    const bool moved = drag_.End();
    if (GetCapture() == window_) {
        ReleaseCapture();
    }
    return moved;
}

void FloatingWindow::OnContextMenu(LPARAM screenPoint) {
    POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    if (at.x == -1 && at.y == -1) {  // from the keyboard
        GetCursorPos(&at);
    }
    OpenMenu(at);
}

// The line entries show, each time, whether they can act.
void FloatingWindow::OpenMenu(POINT screen) {
    menu_.EnableLineEntries(events_.lineEntries ? events_.lineEntries() : LineEntries{});
    menu_.Open(window_, screen);
}

void FloatingWindow::OnSettingOrDisplayChange(UINT message, WPARAM wParam) {
    // A moved taskbar, a changed resolution or an unplugged monitor must not leave the window
    // off screen or under the taskbar.
    if ((message == WM_DISPLAYCHANGE || wParam == SPI_SETWORKAREA) && IsWindowVisible(window_)) {
        PlaceAtWorkAreaCorner();
    }
}

void FloatingWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    // Docked in the corner it stays docked; elsewhere it keeps the place the system suggests,
    // in screen pixels, with its own whole-factor size.
    RECT bounds;
    GetWindowRect(window_, &bounds);
    RECT workArea;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    const bool docked = bounds.right == workArea.right && bounds.bottom == workArea.bottom;
    zoom_ = WholeZoom(dpi);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, kOuterWidth * zoom_,
                 kOuterHeight * zoom_, SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE);
    if (docked) {
        PlaceAtWorkAreaCorner();
    }
    RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void FloatingWindow::OnClose() {
    // Any close request ends the program: the exit sequence runs once, then the loop ends.
    if (closing_ || (events_.closeWaits && events_.closeWaits())) {
        return;
    }
    closing_ = true;
    if (events_.closing) {
        events_.closing();
    }
    DestroyWindow(window_);
}

// Nothing holds up a log-off: the running session is noted and the answer is yes.
void FloatingWindow::OnQueryEndSession() {
    if (!closing_ && events_.sessionQuery) {
        events_.sessionQuery();
    }
}

void FloatingWindow::OnEndSession(bool ending) {
    // The system ends the process once this returns, without closing the window.
    if (closing_) {
        return;
    }
    if (ending && events_.sessionEnding) {
        events_.sessionEnding();
    } else if (!ending && events_.sessionEndCancelled) {
        events_.sessionEndCancelled();
    }
}

void FloatingWindow::OnDestroy() {
    tray_.Remove();
    hint_.Destroy();
    window_ = nullptr;
    PostQuitMessage(0);
}

LRESULT CALLBACK FloatingWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    auto* self = WindowOwner<FloatingWindow>(window, message, lParam);
    if (!self || !self->window_) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT FloatingWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        // Explorer restarted: the icons of the old taskbar are gone.
        tray_.Readd();
        return 0;
    }
    switch (message) {
        case WM_LBUTTONDOWN:
            OnLeftButtonDown(lParam);
            return 0;
        case WM_LBUTTONDBLCLK:
            OnDoubleClick();
            return 0;
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            OnDragButtonDown(lParam);
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(lParam);
            return 0;
        case WM_RBUTTONUP:
            // Unmoved, the default handling turns the release into WM_CONTEXTMENU.
            if (OnDragButtonUp()) {
                return 0;
            }
            break;
        case WM_MBUTTONUP:
            OnDragButtonUp();
            return 0;
        case WM_CAPTURECHANGED:
            drag_.Cancel();
            return 0;
        case WM_CONTEXTMENU:
            OnContextMenu(lParam);
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_NCCALCSIZE: {
            RECT& proposed = *reinterpret_cast<RECT*>(lParam);  // first rect in both forms
            InflateRect(&proposed, -kFloatingFrame * zoom_, -kFloatingFrame * zoom_);
            return 0;
        }
        case WM_NCPAINT:
            PaintFrame();
            return 0;
        case WM_NCHITTEST:
            // The frame answers the mouse like the picture: a drag may start on it.
            return HTCLIENT;
        case kTrayCallbackMessage:
            TrayReport(wParam, lParam);
            return 0;
        case WM_COMMAND:
            // The menu's entries name no sender; the window has no controls.
            if (HIWORD(wParam) == 0 && lParam == 0) {
                MenuItemClick(LOWORD(wParam));
            }
            return 0;
        case WM_SETTEXT:
            return FALSE;  // "ORVMainWindow" is how the companion finds us: it stays
        case WM_USER:
            OnRemoteCommand(wParam);
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_TAB) {
                OnTabKey();
                return 0;
            }
            break;
        case WM_TIMER:
            if (wParam == TrayHint::kTimerId) {
                hint_.TimerElapsed();
            }
            return 0;
        case WM_SETTINGCHANGE:
        case WM_DISPLAYCHANGE:
            OnSettingOrDisplayChange(message, wParam);
            break;
        case kDpiChangedMessage:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_QUERYENDSESSION:
            OnQueryEndSession();
            return TRUE;
        case WM_ENDSESSION:
            OnEndSession(wParam != FALSE);
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace orv
