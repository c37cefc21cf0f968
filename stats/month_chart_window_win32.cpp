#include "stats/month_chart_window_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <variant>

#include "base/win32/wide_text.h"

namespace orv {
namespace {

constexpr UINT_PTR kSubclass = 0x4D43;
constexpr int kNameWidth = kMonthBarLeft - kMonthNameLeft;
constexpr int kFigureWidth = kMonthClientWidth - kMonthFigureLeft;
constexpr COLORREF kBarColour = RGB(0, 0, 255);

HFONT CreateEightPointFont() {
    const WindowDc screen(nullptr);
    LOGFONTW font{};
    font.lfHeight = -MulDiv(8, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, L"MS Shell Dlg", LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

int RowTop(int month) {
    return month * kMonthRowStep;
}

HWND MakeLabel(HWND window, HFONT font, int left, int top, int width, std::string_view text) {
    HWND label = CreateWindowExW(
        0, L"STATIC", Widen(text).c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, left, top,
        width, kMonthBarHeight, window, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return label;
}

// Sets a month name and sizes its label to the text, at least up to the bars: a long name
// covers the start of its bar, as an automatically sized label does.
void FitLabel(HWND label, std::string_view text) {
    const std::wstring wide = Widen(text);
    SetWindowTextW(label, wide.c_str());
    const WindowDc dc(label);
    const SelectedObject font(dc.Get(),
                              reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc.Get(), wide.c_str(), static_cast<int>(wide.size()), &extent);
    SetWindowPos(label, nullptr, 0, 0, std::max<int>(extent.cx, kNameWidth), kMonthBarHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(GetParent(label), nullptr, TRUE);
}

}  // namespace

MonthChartWindow::MonthChartWindow(const LanguageCode& language, MessageBoxes& boxes,
                                   const RegionalFormats& formats)
    : language_(language), boxes_(boxes), formats_(formats) {}

MonthChartWindow::~MonthChartWindow() {
    if (window_) {
        DestroyWindow(window_);
    }
}

void MonthChartWindow::Show(const SessionList& list, MonthChartKind kind) {
    if (window_) {
        DestroyWindow(window_);
    }
    auto sums = SumByMonth(list, kind, formats_);
    if (auto* error = std::get_if<std::string>(&sums)) {
        boxes_.ShowError("Orvane", *error);
        return;
    }
    chart_ = std::get<MonthChart>(sums);
    widths_ = MonthBarWidths(chart_);
    if (!CreateWindowAndLabels()) {
        return;
    }
    LanguageChanged();
    ShowWindow(window_, SW_SHOWNORMAL);
}

bool MonthChartWindow::CreateWindowAndLabels() {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_TOOLWINDOW;
    RECT frame{0, 0, kMonthClientWidth, kMonthClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    window_ = CreateWindowExW(exStyle, kMonthStatisticsClass, L"", style,
                              (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                              (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_) {
        return false;
    }
    SetWindowSubclass(window_, Procedure, kSubclass, reinterpret_cast<DWORD_PTR>(this));
    if (!font_) {
        font_.Reset(CreateEightPointFont());
    }
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    for (int month = 1; month <= 12; ++month) {
        names_[static_cast<std::size_t>(month - 1)] =
            MakeLabel(window_, font_.Get(), kMonthNameLeft, RowTop(month), kNameWidth, {});
        MakeLabel(window_, font_.Get(), kMonthFigureLeft, RowTop(month), kFigureWidth,
                  MonthFigure(chart_, month));
    }
    return true;
}

void MonthChartWindow::LanguageChanged() {
    if (!window_) {
        return;
    }
    const bool russian = language_.IsRussian();
    SetWindowTextUtf8(window_, MonthChartTitle(chart_.kind, russian));
    for (int month = 1; month <= 12; ++month) {
        FitLabel(names_[static_cast<std::size_t>(month - 1)], MonthName(month, russian));
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
            Rectangle(dc.Get(), kMonthBarLeft, RowTop(month), kMonthBarLeft + width,
                      RowTop(month) + kMonthBarHeight);
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
