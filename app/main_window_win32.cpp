#include "app/main_window_win32.h"

#include "base/win32/window_class.h"

#include <commctrl.h>

#include "app/about_page_win32.h"
#include "app/digit_only_field_win32.h"
#include "app/settings_controls.h"
#include "base/win32/dpi.h"
#include "base/win32/resources.h"
#include "base/win32/wide_text.h"

namespace orv {
namespace {

constexpr wchar_t kPageClass[] = L"TTabSheet";
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT_PTR kTimer2 = 2;
constexpr UINT_PTR kSettingsDelayTimer = 3;
constexpr UINT kTimer1Interval = 1000;
constexpr UINT kTimer2Interval = 60000;
constexpr UINT_PTR kStatusBarSubclass = 0x5342;
constexpr int kTabsId = 1;
constexpr int kStatusBarId = 2;
constexpr int kStateIconSize = 16;

// A page hands what its controls report to the main window.
LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_HSCROLL:
            return SendMessageW(GetParent(page), message, wParam, lParam);
        default:
            return DefWindowProcW(page, message, wParam, lParam);
    }
}

// The two state icons side by side, drawn for the window's DPI: a green lamp (connected) and a
// grey lamp with a red cross (no connection).
void PaintStateIcons(HDC dc, int dpi) {
    const auto at = [dpi](int design) { return ScaleToDpi(design, dpi); };
    const RECT all{0, 0, 2 * at(kStateIconSize), at(kStateIconSize)};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    const GdiObject<HBRUSH> green(CreateSolidBrush(RGB(0, 176, 0)));
    const GdiObject<HBRUSH> grey(CreateSolidBrush(RGB(160, 160, 160)));
    const GdiObject<HPEN> red(CreatePen(PS_SOLID, at(2), RGB(208, 0, 0)));
    const SelectedObject blackPen(dc, GetStockObject(BLACK_PEN));
    {
        const SelectedObject brush(dc, green.Get());
        Ellipse(dc, at(2), at(2), at(14), at(14));
    }
    const SelectedObject brush(dc, grey.Get());
    Ellipse(dc, at(18), at(2), at(30), at(14));
    const SelectedObject pen(dc, red.Get());
    MoveToEx(dc, at(19), at(3), nullptr);
    LineTo(dc, at(29), at(13));
    MoveToEx(dc, at(29), at(3), nullptr);
    LineTo(dc, at(19), at(13));
}

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP;

}  // namespace

MainWindow::~MainWindow() {
    if (window_) {
        // The buttons' icons go after this, with the members: a button never shows a freed one.
        DestroyWindow(window_);
    }
}

bool MainWindow::Create(HINSTANCE instance, MainWindowEvents events) {
    events_ = std::move(events);
    const INITCOMMONCONTROLSEX classes{
        sizeof(INITCOMMONCONTROLSEX),
        ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_USEREX_CLASSES};
    InitCommonControlsEx(&classes);
    const HBRUSH buttonFace = GetSysColorBrush(COLOR_BTNFACE);
    if (!RegisterWindowClass(
            {.name = kMainWindowClass, .procedure = WindowProc, .background = buttonFace}) ||
        !RegisterWindowClass({.name = kMonthStatisticsClass,
                              .procedure = DefWindowProcW,
                              .background = GetSysColorBrush(COLOR_WINDOW)}) ||
        !RegisterWindowClass(
            {.name = kPageClass, .procedure = PageProc, .background = buttonFace})) {
        return false;
    }
    window_ =
        CreateWindowExW(kExStyle, kMainWindowClass, kMainWindowCaption, kStyle, 0, 0,
                        kMainClientWidth, kMainClientHeight, nullptr, nullptr, instance, this);
    if (!window_) {
        return false;
    }
    // Sized and centred once the window knows the DPI of the monitor it is on.
    dpi_ = WindowDpi(window_);
    ResizeToClientCentred(window_, ClientSize());
    font_.Reset(CreateMessageFont(dpi_));
    CreateChildren();
    return true;
}

void MainWindow::CreateChildren() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    statusBar_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_TOOLTIPS,
                                 0, 0, 0, 0,
                                 window_, reinterpret_cast<HMENU>(kStatusBarId), instance, nullptr);
    SendMessageW(statusBar_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    SetWindowSubclass(statusBar_, StatusBarProc, kStatusBarSubclass,
                      reinterpret_cast<DWORD_PTR>(this));

    tabs_ = CreateWindowExW(0, WC_TABCONTROLW, nullptr,
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | TCS_MULTILINE, 0,
                            0, 0, 0, window_, reinterpret_cast<HMENU>(kTabsId), instance, nullptr);
    SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    SetTabPadding();
    const auto pages = MainWindowPages();
    for (std::size_t index = 0; index < pages.size(); ++index) {
        std::wstring caption = Widen(pages[index].caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(tabs_, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
    }
    for (std::size_t index = 0; index < pages.size(); ++index) {
        const std::wstring caption = Widen(pages[index].caption);
        pages_[index] = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, caption.c_str(),
                                        WS_CHILD | WS_CLIPSIBLINGS | (index == 0 ? WS_VISIBLE : 0u),
                                        0, 0, 0, 0, window_, nullptr, instance, nullptr);
        controls_.CreatePage(pages_[index], pages[index], font_.Get(), dpi_);
    }
    // The tab control lies under the pages it frames.
    SetWindowPos(tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    MakeWebLink(Control(ids::kWebLink));
    for (std::string_view threshold :
         {ids::kTimeThreshold, ids::kSpeedThreshold, ids::kTrafficThreshold, ids::kMonthStartDay,
          ids::kMonthWarnPercent, ids::kMonthTrafficLimit, ids::kMonthTimeLimit}) {
        AcceptDigitsOnly(Control(threshold));
    }
    ArrangeChildren();
}

// A little less room beside each tab's caption than the control's default (6 pixels): the nine
// captions then take two rows, as the design's eight did, and the pages keep their height.
void MainWindow::SetTabPadding() {
    SendMessageW(tabs_, TCM_SETPADDING, 0,
                 MAKELPARAM(ScaleToDpi(kTabPaddingX, dpi_), ScaleToDpi(kTabPaddingY, dpi_)));
}

SIZE MainWindow::ClientSize() const {
    return {ScaleToDpi(kMainClientWidth, dpi_), ScaleToDpi(kMainClientHeight, dpi_)};
}

// The status bar, the tabs over the rest of the client area, the pages in the tabs' display
// area and the state icons, all for the current DPI and font.
void MainWindow::ArrangeChildren() {
    SendMessageW(statusBar_, WM_SIZE, 0, 0);  // the bar fits itself to the window and its font
    int edges[2] = {ScaleToDpi(kStatusPanelWidth, dpi_), -1};  // the text, then the state icon
    SendMessageW(statusBar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    RECT client;
    GetClientRect(window_, &client);
    RECT bar;
    GetWindowRect(statusBar_, &bar);
    const int tabsHeight = client.bottom - (bar.bottom - bar.top);
    SetWindowPos(tabs_, nullptr, 0, 0, client.right, tabsHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT display{0, 0, client.right, tabsHeight};
    SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (HWND page : pages_) {
        SetWindowPos(page, nullptr, display.left, display.top, display.right - display.left,
                     display.bottom - display.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    const int iconSize = ScaleToDpi(kStateIconSize, dpi_);
    const WindowDc screen(nullptr);
    stateIcons_.Reset(CreateCompatibleDC(screen.Get()));
    stateIconsBitmap_.Reset(CreateCompatibleBitmap(screen.Get(), 2 * iconSize, iconSize));
    // The bitmap stays selected for the DC's life; the DC goes first (declared after it).
    SelectObject(stateIcons_.Get(), stateIconsBitmap_.Get());
    PaintStateIcons(stateIcons_.Get(), dpi_);
    InvalidateRect(statusBar_, nullptr, TRUE);
}

void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    GdiObject<HFONT> font(CreateMessageFont(dpi_));
    SendMessageW(statusBar_, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    SetTabPadding();
    controls_.Rescale(dpi_, font.Get());
    font_ = std::move(font);  // the old font goes once no control uses it any more
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ResizeToClient(window_, ClientSize());
    ArrangeChildren();
    if (imagesAssigned_) {
        AssignButtonImages();
    }
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MainWindow::SetStatusText(std::string_view text) {
    // A failing call writes the same error text every tick.
    if (StatusText() == text) {
        return;
    }
    const std::wstring wide = Widen(text);
    SendMessageW(statusBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    UpdateStatusTip(wide);
}

void MainWindow::UpdateStatusTip(const std::wstring& text) {
    RECT part{};
    SendMessageW(statusBar_, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&part));
    SIZE size{};
    {
        const WindowDc dc(statusBar_);
        const SelectedObject font(dc.Get(), font_.Get());
        GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    }
    // The bar's own margins take a few pixels of the part.
    const bool cut = size.cx > part.right - part.left - 2 * GetSystemMetrics(SM_CXEDGE) - 4;
    const std::wstring tip = cut ? text : std::wstring();
    SendMessageW(statusBar_, SB_SETTIPTEXTW, 0, reinterpret_cast<LPARAM>(tip.c_str()));
}

std::string MainWindow::StatusTip() const {
    std::wstring tip(1024, L'\0');
    SendMessageW(statusBar_, SB_GETTIPTEXTW, MAKEWPARAM(0, tip.size()),
                 reinterpret_cast<LPARAM>(tip.data()));
    tip.resize(wcslen(tip.c_str()));
    return Narrow(tip);
}

std::string MainWindow::StatusText() const {
    const auto length = LOWORD(SendMessageW(statusBar_, SB_GETTEXTLENGTHW, 0, 0));
    std::wstring text(length + 1u, L'\0');
    SendMessageW(statusBar_, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return Narrow(text);
}

void MainWindow::ShowStateIcon(bool connected) {
    // Every repaint of the bar draws the icon again (StatusBarProc), so it is drawn here only
    // when it changes, and only onto a bar that is on screen.
    if (connected == connected_) {
        return;
    }
    connected_ = connected;
    if (IsWindowVisible(statusBar_)) {
        const WindowDc dc(statusBar_);
        DrawStateIcon(dc.Get());
    }
}

void MainWindow::DrawStateIcon(HDC target) const {
    const int size = ScaleToDpi(kStateIconSize, dpi_);
    BitBlt(target, ScaleToDpi(kStateIconRect.left, dpi_), ScaleToDpi(kStateIconRect.top, dpi_),
           size, size, stateIcons_.Get(), connected_ ? 0 : size, 0, SRCCOPY);
}

void MainWindow::SelectPage(int index) {
    if (index < 0 || index >= static_cast<int>(pages_.size())) {
        return;
    }
    const int left = currentPage_;
    SendMessageW(tabs_, TCM_SETCURSEL, index, 0);
    if (left != index) {
        ShowWindow(Page(left), SW_HIDE);
        currentPage_ = index;
        if (events_.controls) {
            events_.controls->PageLeft(left);
        }
    }
    ShowWindow(Page(index), SW_SHOW);
    if (events_.controls) {
        events_.controls->PageShown(index);
    }
}

void MainWindow::ShowPage(int code) {
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SelectPage(code - static_cast<int>(kFirstShowPageCode));
}

bool MainWindow::HandlePageKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || window_ == nullptr ||
        (message.hwnd != window_ && !IsChild(window_, message.hwnd))) {
        return false;
    }
    const PageKey key = message.wParam == VK_TAB     ? PageKey::Tab
                        : message.wParam == VK_NEXT  ? PageKey::PageDown
                        : message.wParam == VK_PRIOR ? PageKey::PageUp
                                                     : PageKey::Other;
    const auto page = PageAfterKey(currentPage_, static_cast<int>(pages_.size()), key,
                                   GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0);
    if (!page) {
        return false;
    }
    SelectPage(*page);
    SetFocus(tabs_);
    return true;
}

void MainWindow::ToggleVisible() {
    if (IsWindowVisible(window_)) {
        ShowWindow(window_, SW_HIDE);
    } else {
        ShowWindow(window_, SW_SHOW);
        SetForegroundWindow(window_);
        // The page may be out of date (sessions stored while the window was hidden).
        if (events_.controls) {
            events_.controls->PageShown(currentPage_);
        }
    }
}

void MainWindow::AssignButtonImages() {
    imagesAssigned_ = true;
    const std::span<const ButtonImage> images = ButtonImages();
    buttonIcons_.resize(images.size());
    for (std::size_t index = 0; index < images.size(); ++index) {
        // Made for the window's DPI; the one made for the old DPI goes once the button shows
        // the new one, since a button never destroys the icon it is given.
        IconHandle icon = MainImageListIcon(images[index].image, dpi_);
        SendMessageW(Control(images[index].button), BM_SETIMAGE, IMAGE_ICON,
                     reinterpret_cast<LPARAM>(icon.Get()));
        buttonIcons_[index] = std::move(icon);
    }
}

void MainWindow::ShowApplicationIcon(HICON icon) {
    // A static control does not destroy its icon; this one is shared (LR_SHARED) and never is.
    SendMessageW(Control(ids::kAboutIcon), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void MainWindow::EnableTimers() {
    SetTimer(window_, kTimer1, kTimer1Interval, nullptr);
    SetTimer(window_, kTimer2, kTimer2Interval, nullptr);
}

// A control's notification counts only when it comes from that control's own window: a stray
// or forged message (another program's, or one naming no sender) is dropped.
std::string_view MainWindow::SenderId(UINT_PTR commandId, HWND sender) const {
    const std::string_view id = controls_.IdOf(commandId);
    return sender != nullptr && !id.empty() && Control(id) == sender ? id : std::string_view{};
}

void MainWindow::OnControlCommand(WPARAM wParam, HWND sender) {
    const std::string_view id = SenderId(LOWORD(wParam), sender);
    if (!id.empty() && events_.controls) {
        events_.controls->Command(id, HIWORD(wParam));
    }
}

void MainWindow::OnControlScroll(HWND sender) {
    const std::string_view id =
        sender ? SenderId(static_cast<UINT_PTR>(GetDlgCtrlID(sender)), sender) : std::string_view{};
    if (!id.empty() && events_.controls) {
        events_.controls->Scrolled(id);
    }
}

LRESULT MainWindow::OnControlNotify(LPARAM lParam) {
    // Our controls notify from this thread; the header of a message sent from elsewhere points
    // into memory that is not ours.
    if (lParam == 0 || InSendMessage()) {
        return 0;
    }
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    if (header.hwndFrom == tabs_) {
        if (header.code == TCN_SELCHANGE) {
            SelectPage(static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)));
        }
        return 0;
    }
    const std::string_view id = SenderId(header.idFrom, header.hwndFrom);
    return !id.empty() && events_.controls ? events_.controls->Notify(id, header) : 0;
}

void MainWindow::StartSettingsDelay(unsigned milliseconds) {
    SetTimer(window_, kSettingsDelayTimer, milliseconds, nullptr);  // replaces a running one
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = WindowOwner<MainWindow>(window, message, lParam);
    if (!self || !self->window_) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::StatusBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR self) {
    const LRESULT result = DefSubclassProc(bar, message, wParam, lParam);
    if (message == WM_PAINT) {
        // The icon is drawn straight onto the bar, so it is drawn again after every repaint.
        const WindowDc dc(bar);
        reinterpret_cast<const MainWindow*>(self)->DrawStateIcon(dc.Get());
    }
    return result;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            ShowWindow(window_, SW_HIDE);
            return 0;
        case WM_TIMER:
            if (wParam == kTimer1 && events_.timer1) {
                events_.timer1();
            } else if (wParam == kTimer2 && events_.timer2) {
                events_.timer2();
            } else if (wParam == kSettingsDelayTimer) {
                KillTimer(window_, kSettingsDelayTimer);
                if (events_.settingsDelay) {
                    events_.settingsDelay();
                }
            }
            return 0;
        case WM_COMMAND:
            OnControlCommand(wParam, reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_HSCROLL:
            OnControlScroll(reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_NOTIFY:
            return OnControlNotify(lParam);
        case WM_SETTEXT:
            return FALSE;  // the caption is the window's identity: nobody else renames it
        case WM_USER:
            if (wParam >= kFirstShowPageCode && wParam <= kLastShowPageCode) {
                ShowPage(static_cast<int>(wParam));
            }
            return 0;
        case kDpiChangedMessage:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DESTROY:
            window_ = nullptr;
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

}  // namespace orv
