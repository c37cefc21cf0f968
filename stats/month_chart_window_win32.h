#pragma once
// The month statistics window (class TFrmStat): a white tool window with a close button only,
// client area 345 x 293 design pixels scaled to its DPI, centred, 8-point font, not modal, at most
// one at a time. Its bars are painted and its labels made at run time as its own children, so
// closing it frees them; the owner's reference is emptied when it closes.

#include <windows.h>

#include <array>

#include "base/dialog_ports.h"
#include "base/dpi_scale.h"
#include "base/language_code.h"
#include "base/regional_formats.h"
#include "base/win32/resources.h"
#include "stats/month_chart.h"
#include "stats/session_list.h"

namespace orv {

inline constexpr wchar_t kMonthStatisticsClass[] = L"TFrmStat";
inline constexpr int kMonthClientWidth = 345;
inline constexpr int kMonthClientHeight = 293;

class MonthChartWindow {
  public:
    MonthChartWindow(const LanguageCode& language, const RegionalFormats& formats);
    ~MonthChartWindow();
    MonthChartWindow(const MonthChartWindow&) = delete;
    MonthChartWindow& operator=(const MonthChartWindow&) = delete;

    // ShowMonthChart: destroys an open window, sums the list by month and shows a new window;
    // rows whose end is not a date and time are left out, and the window says how many.
    void Show(const SessionList& list, MonthChartKind kind);
    // Null while no month window is open.
    HWND Handle() const { return window_; }
    // The title and month names follow the language now chosen.
    void LanguageChanged();

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    bool CreateWindowAndLabels();
    void ArrangeForDpi(int dpi);
    // WM_DPICHANGED: the suggested rectangle, the font and the labels for the new DPI.
    void OnDpiChanged(int dpi, const RECT& suggested);
    void Paint();

    const LanguageCode& language_;
    const RegionalFormats& formats_;
    GdiObject<HFONT> font_;
    MonthChart chart_;
    std::array<int, 12> widths_{};
    std::array<HWND, 12> names_{};
    std::array<HWND, 12> figures_{};
    HWND note_ = nullptr;  // the rows left out, when there are any
    HWND window_ = nullptr;
    int dpi_ = kDesignDpi;
};

}  // namespace orv
