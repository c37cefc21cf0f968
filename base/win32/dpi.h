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

// The window size that gives this client size at this DPI (AdjustWindowRectExForDpi where present).
SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD exStyle, int dpi);

// The user's message-box font (the dialogs' font) for this DPI; the caller owns it.
HFONT CreateMessageFont(int dpi);

// A font of `points` points of this face at this DPI; the caller owns it.
HFONT CreatePointFont(int points, const wchar_t* face, int dpi);

}  // namespace orv
