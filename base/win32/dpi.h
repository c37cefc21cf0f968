#pragma once
// The DPI of a window and fonts made for it. The per-monitor entry points are looked up by name,
// so that the program still starts on systems older than Windows 10 (1607), where every window
// has the screen's DPI.

#include <windows.h>

namespace orv {

// Sent when a window moves to a monitor of another DPI, or the user changes the scale: the new
// DPI in the word parameter, the suggested window rectangle in the long one.
inline constexpr UINT kDpiChangedMessage = 0x02E0;

// The window's DPI (GetDpiForWindow), or the screen's logical pixels per inch where it is missing.
int WindowDpi(HWND window);

// Sizes the window so that its client area is `client`, by the frame it really has (where the
// platform draws frames at another DPI than the window's, the suggested size would be off).
void ResizeToClient(HWND window, SIZE client);

// Sizes the window to its client area and puts it in the middle of the screen.
void ResizeToClientCentred(HWND window, SIZE client);

// The user's message-box font (the dialogs' font) for this DPI; the caller owns it.
HFONT CreateMessageFont(int dpi);

// A font of `points` points of this face at this DPI; the caller owns it.
HFONT CreatePointFont(int points, const wchar_t* face, int dpi);

}  // namespace orv
