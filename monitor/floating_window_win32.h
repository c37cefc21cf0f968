#pragma once
// The floating window (class TForm2, caption "ORVMainWindow"): the application's main window.
// A borderless, normally topmost box whose 3-pixel frame shows the frame colour around the
// 170 x 70 drawing area, where FloatingPicture is copied; on a high-DPI screen frame and
// picture are enlarged by a whole factor (2 from 144 DPI on), so the figures stay readable. It
// carries the tray icon, the shared pop-up menu and the tray information hint. Closing it, by any
// close request, runs the exit sequence once and ends the message loop.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "monitor/button_drag.h"
#include "monitor/drawing_colours.h"
#include "monitor/floating_drawing.h"
#include "monitor/floating_window_control.h"
#include "monitor/gdi_canvas_win32.h"
#include "monitor/popup_menu_win32.h"
#include "monitor/threshold_events.h"
#include "monitor/tray_hint_win32.h"
#include "monitor/tray_icon_win32.h"
#include "remote/command_handler.h"

namespace orv {

inline constexpr wchar_t kFloatingWindowClass[] = L"TForm2";
inline constexpr wchar_t kFloatingWindowCaption[] = L"ORVMainWindow";
inline constexpr int kFloatingFrame = 3;

// What the floating window and its tray icon ask of the rest of the program.
struct FloatingWindowEvents {
    std::function<bool()> readStartupFlag;  // asked once, when the tray icon is created
    std::function<void()> closing;          // the exit sequence
    // True while a close request must wait (the program is still starting; it asks again).
    std::function<bool()> closeWaits;
    std::function<void()> sessionQuery;         // log-off or shut-down asked; may not come
    std::function<void()> sessionEnding;        // log-off or shut-down: no close will come
    std::function<void()> sessionEndCancelled;  // a log-off or shut-down asked was called off
    std::function<void()> toggleMainWindow;     // a double click in the drawing area
    std::function<void(int code)> showPage;     // pop-up menu entries, codes 3 to 10
    std::function<std::string()> trayInfoText;  // the current tray information text
    // The menu's "Подключить" and "Отключить": whether each can act, and the actions.
    std::function<LineEntries()> lineEntries;
    std::function<void()> connect;
    std::function<void()> disconnect;
    // The remote commands' actions that belong to the rest of the program (11 to 14); the
    // window itself closes (0), hides (1), shows (2), switches pages through showPage (3 to 10)
    // and queues the Tab key (15).
    RemoteCommandActions remoteCommands;
};

class FloatingWindow final : public FloatingWindowControl, public TrayBalloons {
  public:
    // `trayShell` is where the tray icon goes; tests give one that records the requests.
    explicit FloatingWindow(const DrawingColours& colours,
                            NotifyIconShell& trayShell = SystemNotifyIconShell());
    ~FloatingWindow() override;
    FloatingWindow(const FloatingWindow&) = delete;
    FloatingWindow& operator=(const FloatingWindow&) = delete;

    // Registers the class and creates the window hidden, at its corner, with its picture and
    // its tray icon. False when the window could not be created.
    bool Create(HINSTANCE instance, FloatingWindowEvents events);
    HWND Handle() const { return window_; }
    // What the tray icon's start-up report answered: show the window when the loop starts.
    bool ShownAtStart() const { return shownAtStart_; }

    FloatingDrawing& Drawing() { return drawing_; }
    const GdiCanvas& Picture() const { return picture_; }
    HMENU Menu() const { return menu_.Handle(); }
    HWND HintWindow() const { return hint_.Window(); }

    // The tray icon's notification balloon titled "Information".
    void ShowTrayBalloon(std::string_view text) override;

    // FloatingWindowControl: Show is ShowFloatingWindow, Hide is HideFloatingWindow.
    void Show() override;
    void Hide() override;
    void SetStayOnTop(bool on) override;
    void SetAlpha(int alpha) override;
    void RedrawFrame() override;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnLeftButtonDown(LPARAM clientPoint);
    void OnDoubleClick();
    void OnDragButtonDown(LPARAM clientPoint);
    void OnMouseMove(LPARAM clientPoint);
    // Ends a right or middle button drag; true when the window was moved.
    bool OnDragButtonUp();
    void OnContextMenu(LPARAM screenPoint);
    void OnSettingOrDisplayChange(UINT message, WPARAM wParam);
    // WM_DPICHANGED: the picture's whole factor for the new DPI.
    void OnDpiChanged(int dpi, const RECT& suggested);
    void OnClose();
    void OnQueryEndSession();
    void OnEndSession(bool ending);
    void OnDestroy();
    void TrayReport(WPARAM wParam, LPARAM lParam);
    // WM_USER from another process: one remote command code in the word parameter.
    void OnRemoteCommand(WPARAM code);
    void OnTabKey();
    void MenuItemClick(int tag);
    void OpenMenu(POINT screen);
    ScreenPoint ToScreen(LPARAM clientPoint) const;
    void PlaceAtWorkAreaCorner();
    void Paint();
    void PaintFrame();

    const DrawingColours& colours_;
    GdiCanvas picture_;
    FloatingDrawing drawing_;
    FloatingWindowEvents events_;
    RemoteCommandActions remoteCommands_;
    PopupMenu menu_;
    TrayIcon tray_;
    TrayHint hint_;
    UINT taskbarCreated_ = 0;
    ButtonDrag drag_;
    HWND window_ = nullptr;
    bool shownAtStart_ = true;
    bool closing_ = false;
    bool pictureDrawn_ = false;  // the drawing has shown a picture at least once
    int zoom_ = 1;               // each picture pixel is zoom_ x zoom_ screen pixels
};

}  // namespace orv
