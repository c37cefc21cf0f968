#include "stats/month_chart_window_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "base/dpi_scale.h"
#include "base/win32/dpi.h"
#include "base/win32/wide_text.h"

namespace orv {
namespace {

constexpr UINT_PTR kSubclass = 0x4D43;
constexpr int kNameWidth = kMonthBarLeft - kMonthNameLeft;
constexpr int kFigureWidth = kMonthClientWidth - kMonthFigureLeft;
constexpr int kNoteWidth = kMonthClientWidth - 2 * kMonthNameLeft;
constexpr COLORREF kBarColour = RGB(0, 0, 255);

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

int RowTop(int month) {
    return month * kMonthRowStep;
}

// A label's or bar's place in the window at this DPI.
PixelRect RowCell(int left, int month, int width, int dpi) {
    return ScaleToDpi(PixelRect{left, RowTop(month), width, kMonthBarHeight}, dpi);
}

void Place(HWND label, PixelRect at) {
    SetWindowPos(label, nullptr, at.x, at.y, at.width, at.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE ClientSize(int dpi) {
    return {ScaleToDpi(kMonthClientWidth, dpi), ScaleToDpi(kMonthClientHeight, dpi)};
}

HWND MakeLabel(HWND window, HFONT font, std::string_view text) {
    HWND label = CreateWindowExW(0, L"STATIC", Widen(text).c_str(),
                                 WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, window,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return label;
}

// Sizes a month name's label to its text, at least up to the bars: a long name covers the
// start of its bar, as an automatically sized label does.
void FitLabel(HWND label, int month, int dpi) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(label)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
    const WindowDc dc(label);
    const SelectedObject font(dc.Get(),
                              reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    PixelRect at = RowCell(kMonthNameLeft, month, kNameWidth, dpi);
    at.width = std::max<int>(extent.cx, at.width);
    Place(label, at);
    InvalidateRect(GetParent(label), nullptr, TRUE);
}

// The client width the title needs beside the close button, in the tool window's caption font
// at this DPI; the Russian titles are longer than the design's 345 pixels leave room for.
int TitleClientWidth(const std::wstring& title, int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return 0;
    }
    // The metrics are for the system's DPI; the window may be on another monitor.
    const int systemDpi = WindowDpi(nullptr);
    metrics.lfSmCaptionFont.lfHeight = MulDiv(metrics.lfSmCaptionFont.lfHeight, dpi, systemDpi);
    const GdiObject<HFONT> font(CreateFontIndirectW(&metrics.lfSmCaptionFont));
    const WindowDc screen(nullptr);
    const SelectedObject selected(screen.Get(), font.Get());
    SIZE size{};
    GetTextExtentPoint32W(screen.Get(), title.c_str(), static_cast<int>(title.size()), &size);
    const int button = MulDiv(GetSystemMetrics(SM_CXSMSIZE), dpi, systemDpi);
    return size.cx + button + ScaleToDpi(16, dpi);  // the margins and the button's edges
}

}  // namespace

MonthChartWindow::MonthChartWindow(const LanguageCode& language, const RegionalFormats& formats)
    : language_(language), formats_(formats) {}

MonthChartWindow::~MonthChartWindow() {
    if (window_) {
        DestroyWindow(window_);
    }
}

void MonthChartWindow::Show(const SessionList& list, MonthChartKind kind) {
    if (window_) {
        DestroyWindow(window_);
    }
    chart_ = SumByMonth(list, kind, formats_);
    widths_ = MonthBarWidths(chart_);
    if (!CreateWindowAndLabels()) {
        return;
    }
    LanguageChanged();
    ShowWindow(window_, SW_SHOWNORMAL);
}

bool MonthChartWindow::CreateWindowAndLabels() {
    window_ =
        CreateWindowExW(kExStyle, kMonthStatisticsClass, L"", kStyle, 0, 0, kMonthClientWidth,
                        kMonthClientHeight, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_) {
        return false;
    }
    SetWindowSubclass(window_, Procedure, kSubclass, reinterpret_cast<DWORD_PTR>(this));
    for (int month = 1; month <= 12; ++month) {
        const auto row = static_cast<std::size_t>(month - 1);
        names_[row] = MakeLabel(window_, nullptr, {});
        figures_[row] = MakeLabel(window_, nullptr, MonthFigure(chart_, month));
    }
    // Above January's row: how many sessions the chart does not show.
    note_ = chart_.leftOut > 0 ? MakeLabel(window_, nullptr, {}) : nullptr;
    // Sized and centred once the window knows the DPI of the monitor it is on.
    const int dpi = WindowDpi(window_);
    ResizeToClientCentred(window_, ClientSize(dpi));
    ArrangeForDpi(dpi);
    return true;
}

// The 8-point font and every label's place for the DPI; the month names are fitted to their
// texts when they are set.
void MonthChartWindow::ArrangeForDpi(int dpi) {
    dpi_ = dpi;
    GdiObject<HFONT> font(CreatePointFont(8, L"MS Shell Dlg", dpi_));
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    for (int month = 1; month <= 12; ++month) {
        const auto row = static_cast<std::size_t>(month - 1);
        SendMessageW(names_[row], WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
        SendMessageW(figures_[row], WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
        Place(figures_[row], RowCell(kMonthFigureLeft, month, kFigureWidth, dpi_));
        FitLabel(names_[row], month, dpi_);
    }
    if (note_) {
        SendMessageW(note_, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
        Place(note_, ScaleToDpi(PixelRect{kMonthNameLeft, 3, kNoteWidth, kMonthBarHeight}, dpi_));
    }
    font_ = std::move(font);  // the old font goes once no label uses it any more
}

void MonthChartWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ResizeToClient(window_, ClientSize(dpi));
    ArrangeForDpi(dpi);
    InvalidateRect(window_, nullptr, TRUE);
}

void MonthChartWindow::LanguageChanged() {
    if (!window_) {
        return;
    }
    const bool russian = language_.IsRussian();
    const std::string title(MonthChartTitle(chart_.kind, russian));
    SetWindowTextUtf8(window_, title);
    if (note_) {
        SetWindowTextUtf8(note_, LeftOutNote(chart_.leftOut, russian));
    }
    SIZE client = ClientSize(dpi_);
    client.cx = std::max<LONG>(client.cx, TitleClientWidth(Widen(title), dpi_));
    RECT now;
    GetClientRect(window_, &now);
    if (now.right != client.cx) {
        ResizeToClientCentred(window_, client);
    }
    for (int month = 1; month <= 12; ++month) {
        HWND name = names_[static_cast<std::size_t>(month - 1)];
        SetWindowTextUtf8(name, MonthName(month, russian));
        FitLabel(name, month, dpi_);
    }
}

void MonthChartWindow::Paint() {
    const PaintDc dc(window_);
    const GdiObject<HBRUSH> blue(CreateSolidBrush(kBarColour));
    const SelectedObject brush(dc.Get(), blue.Get());
    const SelectedObject pen(dc.Get(), GetStockObject(BLACK_PEN));
    for (int month = 1; month <= 12; ++month) {
        const int width = widths_[static_cast<std::size_t>(month - 1)];
        if (width > 0) {
            const PixelRect bar = RowCell(kMonthBarLeft, month, width, dpi_);
            Rectangle(dc.Get(), bar.x, bar.y, bar.x + bar.width, bar.y + bar.height);
        }
    }
}

LRESULT CALLBACK MonthChartWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    auto* chart = reinterpret_cast<MonthChartWindow*>(self);
    switch (message) {
        case WM_PAINT:
            chart->Paint();
            return 0;
        case WM_CTLCOLORSTATIC:
            SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        case kDpiChangedMessage:
            chart->OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DESTROY:
            chart->window_ = nullptr;
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, Procedure, kSubclass);
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace orv
