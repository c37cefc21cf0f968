#pragma once
// The main window (class TForm1, caption "Orvane"): fixed dialog frame with system menu and
// help button, client area 411 x 429 design pixels scaled to its DPI, centred, created hidden.
// Eight pages built from their layout tables, a status bar with one text panel and the state icon
// drawn beside it. Closing it only hides it. What its controls report goes to the ControlReactions
// their pages registered.

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/control_reactions_win32.h"
#include "app/page_controls_win32.h"
#include "base/win32/resources.h"
#include "stats/month_chart_window_win32.h"

namespace orv {

inline constexpr wchar_t kMainWindowClass[] = L"TForm1";
inline constexpr wchar_t kMainWindowCaption[] = L"Orvane";
inline constexpr int kMainClientWidth = 411;
inline constexpr int kMainClientHeight = 429;
inline constexpr int kTabPaddingX = 4;
inline constexpr int kTabPaddingY = 3;
inline constexpr RECT kStateIconRect{390, 2, 406, 18};
// The text panel reaches the state icon, which has a part of its own: the selection sums and
// the service's error texts need the room. A text longer still is whole in the part's tooltip.
inline constexpr int kStatusPanelWidth = kStateIconRect.left - 2;

// The remote command codes that show a page: code 3 shows page 0, ..., code 10 page 7.
inline constexpr WPARAM kFirstShowPageCode = 3;
inline constexpr WPARAM kLastShowPageCode = 10;

struct MainWindowEvents {
    // The pages' controls report to the reactions their pages registered.
    const ControlReactions* controls = nullptr;
    std::function<void()> timer1;
    std::function<void()> timer2;
    std::function<void()> settingsDelay;  // the one-shot delay of StartSettingsDelay ran out
};

class MainWindow {
  public:
    MainWindow() = default;
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Registers TForm1 (and TFrmStat, whose window comes with the month charts) and creates
    // the window hidden with every page; false when it could not be created.
    bool Create(HINSTANCE instance, MainWindowEvents events);
    HWND Handle() const { return window_; }

    HWND Control(std::string_view id) const { return controls_.Find(id); }
    HWND Page(int index) const { return pages_[static_cast<std::size_t>(index)]; }
    HWND StatusBar() const { return statusBar_; }
    HWND Tabs() const { return tabs_; }

    void SetStatusText(std::string_view text);
    std::string StatusText() const;
    // The text part's tooltip: the whole status text when the part is too narrow for it.
    std::string StatusTip() const;
    void ShowStateIcon(bool connected);

    int CurrentPage() const { return currentPage_; }
    // Shows the page, reporting the page left and the page shown.
    void SelectPage(int index);
    // The page switch of the tray menu and the remote commands 3..10: shows the window in
    // front with page code - 3.
    void ShowPage(int code);
    // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp in the window switch pages; true
    // when the key was one of them.
    bool HandlePageKey(const MSG& message);
    // Shows the window when hidden (reporting its page shown again), hides it when shown.
    void ToggleVisible();

    // Gives the picture buttons their images of the main image list, made for the window's
    // DPI (and made again when the DPI changes).
    void AssignButtonImages();
    // Puts the application's icon on the about page; the icon must outlive the window (a shared
    // one does).
    void ShowApplicationIcon(HICON icon);
    // Timer1 (1000 ms), then Timer2 (60000 ms).
    void EnableTimers();
    // (Re)starts the one-shot delay after which the changed settings are saved.
    void StartSettingsDelay(unsigned milliseconds);

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK StatusBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR self);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateChildren();
    void ArrangeChildren();
    void SetTabPadding();
    SIZE ClientSize() const;  // the design's client area at the window's DPI
    // WM_DPICHANGED: fonts, controls and the window itself for the new DPI.
    void OnDpiChanged(int dpi, const RECT& suggested);
    void DrawStateIcon(HDC target) const;
    // The whole status text as the text part's tooltip when the part cuts it; none otherwise.
    void UpdateStatusTip(const std::wstring& text);
    std::string_view SenderId(UINT_PTR commandId, HWND sender) const;
    void OnControlCommand(WPARAM wParam, HWND sender);
    void OnControlScroll(HWND sender);
    LRESULT OnControlNotify(LPARAM lParam);

    HWND window_ = nullptr;
    HWND tabs_ = nullptr;
    HWND statusBar_ = nullptr;
    std::array<HWND, 9> pages_{};
    PageControls controls_;
    MainWindowEvents events_;
    GdiObject<HFONT> font_;
    GdiObject<HBITMAP> stateIconsBitmap_;
    MemoryDc stateIcons_;  // the 32 x 16 picture: connected left, no connection right
    // The icons ButtonImages()'s buttons show, in its order: the buttons only borrow them.
    std::vector<IconHandle> buttonIcons_;
    bool connected_ = false;
    bool imagesAssigned_ = false;
    int currentPage_ = 0;
    int dpi_ = kDesignDpi;
};

}  // namespace orv
